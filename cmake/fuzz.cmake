# libFuzzer targets, built with clang whatever compiler the configuration
# uses (libFuzzer comes with clang only), under address and undefined-
# behaviour sanitizers. Each becomes a test that runs for a few seconds from
# its seed files; new inputs it finds go to a corpus folder in the build tree.
#   tessaly_add_fuzz_test(<name> SOURCES <files...> SEEDS <folder> [SECONDS <n>] [ARGS <libFuzzer options...>])
# A longer run by hand: build/native-asan/<dir>/<name> -max_total_time=600 <corpus> <seeds>
find_program(TESSALY_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)

function(tessaly_add_fuzz_test name)
  cmake_parse_arguments(FUZZ "" "SEEDS;SECONDS" "SOURCES;ARGS" ${ARGN})
  if(NOT TESSALY_SANITIZE OR WIN32)
    return()
  endif()
  if(NOT TESSALY_CLANGXX)
    message(STATUS "clang++ not found: fuzz test ${name} is not built")
    return()
  endif()
  if(NOT FUZZ_SECONDS)
    set(FUZZ_SECONDS 10)
  endif()
  set(sources)
  foreach(s IN LISTS FUZZ_SOURCES)
    get_filename_component(s ${s} ABSOLUTE)
    list(APPEND sources ${s})
  endforeach()
  set(exe ${CMAKE_CURRENT_BINARY_DIR}/${name})
  add_custom_command(OUTPUT ${exe}
    COMMAND ${TESSALY_CLANGXX} -std=c++17 -g -O1 -Wall -Wextra
            -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
            -I${CMAKE_SOURCE_DIR} ${sources} -o ${exe}
    DEPENDS ${sources}
    IMPLICIT_DEPENDS CXX ${sources}
    COMMENT "Building fuzz target ${name} with clang"
    VERBATIM)
  add_custom_target(${name}_build ALL DEPENDS ${exe})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name} COMMAND ${exe} -max_total_time=${FUZZ_SECONDS} -print_final_stats=1 ${FUZZ_ARGS}
    -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/${name}- ${corpus} ${FUZZ_SEEDS})
endfunction()
