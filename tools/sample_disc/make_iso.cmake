# cmake -DXORRISO=PROGRAM -DDISC=FOLDER -DVOLUME=ID -DISO=OUT.iso -P make_iso.cmake
# Makes the ISO 9660 image of the disc folder: Joliet with long names (up to 103 characters, accents kept, as
# Windows programs see them) and Rock Ridge with the read-only modes of a pressed disc. The names on the host
# are UTF-8 whatever the build's locale. xorriso prints a banner even with -quiet, so its output is shown only
# when it fails.
file(REMOVE ${ISO})
execute_process(COMMAND ${XORRISO} -as mkisofs -quiet -input-charset UTF-8 -output-charset UTF-8 -J -joliet-long
                        -r -V ${VOLUME} -o ${ISO} ${DISC}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  file(REMOVE ${ISO})
  message(FATAL_ERROR "xorriso could not make ${ISO}:\n${output}")
endif()
