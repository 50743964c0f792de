# The Windows programs of the sample disc, cross-built with mingw-w64 into ${CMAKE_BINARY_DIR}/sample-programs:
# game.exe (shared by the items), setup.exe and uninstall.exe. They are 32-bit programs (PE32), as every
# program on a disc of the time was. Where the i686 cross compiler is missing the disc gets placeholder files
# instead, and configuring says so once. Included by samples/CMakeLists.txt; sets
# NORVA_SAMPLE_PROGRAM_DIR and NORVA_SAMPLE_PROGRAMS_REAL.
set(NORVA_SAMPLE_PROGRAM_DIR ${CMAKE_BINARY_DIR}/sample-programs)
file(MAKE_DIRECTORY ${NORVA_SAMPLE_PROGRAM_DIR})
find_program(NORVA_MINGW32_CC i686-w64-mingw32-gcc)

if(NORVA_MINGW32_CC)
  set(NORVA_SAMPLE_PROGRAMS_REAL TRUE)
  # No time stamp in the files, so that a rebuild leaves the disc's archives unchanged.
  set(mingw_flags -std=c11 -O2 -s -municode -mwindows -Wall -Wextra -Wl,--no-insert-timestamp)
  if(NORVA_WARNINGS_AS_ERRORS)
    list(APPEND mingw_flags -Werror)
  endif()
  set(programs_dir ${CMAKE_CURRENT_SOURCE_DIR}/programs)
  set(common ${programs_dir}/common/sample_common.c ${programs_dir}/common/sample_common.h)
  set(log ${programs_dir}/common/uninstall_log.c ${programs_dir}/common/uninstall_log.h)
  set(program_sources_game ${common} ${programs_dir}/game/game.h ${programs_dir}/game/game_main.c
                           ${programs_dir}/game/game_items.c ${programs_dir}/game/game_scenes.c)
  set(program_libs_game -lgdi32 -lshell32)
  set(program_sources_setup ${common} ${log} ${programs_dir}/setup/setup.h ${programs_dir}/setup/setup_main.c
                            ${programs_dir}/setup/setup_files.c)
  set(program_libs_setup -lshell32 -ladvapi32 -lole32 -luuid)
  set(program_sources_uninstall ${common} ${log} ${programs_dir}/uninstall/uninstall_main.c)
  set(program_libs_uninstall -lshell32 -ladvapi32)
  foreach(program game setup uninstall)
    set(c_files ${program_sources_${program}})
    list(FILTER c_files INCLUDE REGEX "\\.c$")
    add_custom_command(OUTPUT ${NORVA_SAMPLE_PROGRAM_DIR}/${program}.exe
                       COMMAND ${NORVA_MINGW32_CC} ${mingw_flags} -o ${NORVA_SAMPLE_PROGRAM_DIR}/${program}.exe
                               ${c_files} ${program_libs_${program}}
                       DEPENDS ${program_sources_${program}} VERBATIM)
  endforeach()
else()
  set(NORVA_SAMPLE_PROGRAMS_REAL FALSE)
  message(WARNING "Sample disc: i686-w64-mingw32-gcc not found, so its Windows programs are placeholders "
                 "that cannot run (tools/install-deps.sh installs gcc-mingw-w64-i686)")
  foreach(program game setup uninstall)
    file(CONFIGURE OUTPUT ${NORVA_SAMPLE_PROGRAM_DIR}/${program}.exe
         CONTENT "MZ\r\nSample disc placeholder: built without i686 mingw-w64, so this ${program} program is not real.\r\n")
  endforeach()
endif()
