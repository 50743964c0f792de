# The Debian package, made by CPack from the same install: `cpack -G DEB` in a build folder (CI uses its
# Release build). The shared libraries' packages come from dpkg-shlibdeps; what the program only runs (Wine,
# fusermount3, xdg-open) is recommended, since the menu works without each of them and says what is missing.
set(NORVA_MAINTAINER "Norva maintainers <maintainers@users.noreply.c-seed-2260c938.example>")

# Debian wants the copyright and a changelog in the package's documentation folder. The copyright carries the
# license of the DejaVu fonts built into the program.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/copyright copyright_ours)
file(READ ${PROJECT_SOURCE_DIR}/samples/fonts/LICENSE-DejaVu.txt copyright_dejavu)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright "${copyright_ours}${copyright_dejavu}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# SOURCE_DATE_EPOCH, when set, makes the date and with it the package reproducible.
string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/changelog
     "norva (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
     "  * Built from the source tree with CPack.\n\n"
     " -- ${NORVA_MAINTAINER}  ${changelog_date}\n")
if(NORVA_GZIP)
  add_custom_command(OUTPUT changelog.gz COMMAND ${NORVA_GZIP} -9nf -k ${CMAKE_CURRENT_BINARY_DIR}/changelog
                     DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog VERBATIM)
  add_custom_target(norva_changelog ALL DEPENDS changelog.gz)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME norva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${NORVA_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "autorun menu of the Norva games-magazine cover disc")
# The long description under the summary; CPack indents it, and an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "The menu of the Norva monthly games-magazine cover disc, rebuilt for today's
machines. It reads the disc's catalog, shows its pages of demos, full games,
shareware, updates, drivers, trailers and screenshots, installs the items
into a Wine prefix, detects what is installed, runs and uninstalls it.

It opens an inserted disc or a disc image (ISO, BIN/CUE, NRG, MDS/MDF,
CCD/IMG) without root rights, and can be driven by a script without a
window, so that disc authors can test their catalogs.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A menu that installs and starts Windows software through Wine, as Wine itself.
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Windows programs need Wine, and those of a real disc its 32-bit half; disc images are mounted with
# fusermount3; readmes, web pages and trailers open with xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, wine32:i386, fuse3, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
