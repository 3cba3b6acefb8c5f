# Compile settings shared by every target of the project, and small helpers
# that keep the per-folder CMakeLists files to a few lines each.

# All text inside the program is GBK bytes: string literals are written in
# UTF-8 source and compiled as GB18030, which gives the GBK bytes for every
# GBK character and, unlike GBK, can also encode the odd non-GBK character
# that system headers carry in their literals (the micro sign of <chrono>).
set(MOLVANE_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=GB18030)
set(MOLVANE_WARNING_FLAGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wsign-conversion -Wnon-virtual-dtor -Wold-style-cast -Werror)

if(MOLVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

function(molvane_target_options target)
  target_compile_options(${target} PRIVATE ${MOLVANE_WARNING_FLAGS})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE ${MOLVANE_CHARSET_FLAGS})
  endif()
endfunction()

# molvane_library(name SOURCES ... [DEPS ...]): a static library whose
# headers are included as "folder/header.h" from src/.
function(molvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  molvane_target_options(${name})
endfunction()

# molvane_test(name SOURCES ... [DEPS ...]): a GoogleTest program run by CTest.
function(molvane_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  molvane_target_options(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "MOLVANE_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# molvane_benchmark(name SOURCES ... [DEPS ...]): a Google Benchmark program.
function(molvane_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
  molvane_target_options(${name})
endfunction()
