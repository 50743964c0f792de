# Fails when a file of the menu logic, data or components layers includes a toolkit, operating-system, Wine or
# archive-library header. Run as: cmake -DSOURCE_DIR=... -P check_includes.cmake
set(core_dirs catalog strings menu install installed components check)
set(forbidden
    "<Q[A-Za-z]" "<qt" "<unistd\\.h>" "<sys/" "<windows\\.h>" "<winbase\\.h>" "<dirent\\.h>" "<fcntl\\.h>"
    "<spawn\\.h>" "<signal\\.h>" "<pthread\\.h>" "<dlfcn\\.h>" "<poll\\.h>" "<pwd\\.h>" "<termios\\.h>"
    "<iconv\\.h>" "<archive\\.h>" "<archive_entry\\.h>" "<wine/" "[<\"]platform/wine/")
set(violations "")
foreach(dir IN LISTS core_dirs)
  file(GLOB_RECURSE files "${SOURCE_DIR}/src/${dir}/*.h" "${SOURCE_DIR}/src/${dir}/*.cpp")
  foreach(f IN LISTS files)
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS lines)
      foreach(pattern IN LISTS forbidden)
        if(line MATCHES "${pattern}")
          string(APPEND violations "${f}: ${line}\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(violations)
  message(FATAL_ERROR "The menu logic includes headers it must not:\n${violations}")
endif()
message(STATUS "include boundary kept")
