# Builds for checking rather than shipping: the whole program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets of fuzz/ (clang only). Included before the sources, so
# that the flags reach every target. tools/test-sanitizers.sh makes such a build.
option(NORVA_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(NORVA_BUILD_FUZZ "Build the libFuzzer targets of fuzz/ (needs clang; implies NORVA_SANITIZE)" OFF)

if(NORVA_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "NORVA_BUILD_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  set(NORVA_SANITIZE ON)
  # Coverage for the fuzzer in every library; only the fuzz targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(NORVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(NORVA_BUILD_FUZZ)
  add_subdirectory(${PROJECT_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()
