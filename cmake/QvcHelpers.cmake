# Small helpers so that each folder's CMakeLists.txt is a list of sources and
# dependencies.

set(QVC_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
# Warnings are errors for the developers' builds and CI (the Makefile turns this
# on); a packager's or user's build with another compiler only shows them.
if(QVC_WERROR)
  list(APPEND QVC_WARNINGS -Werror -Wno-error=deprecated-declarations)
endif()
# GCC 12 at -O3 (Release) reports -Wrestrict inside libstdc++'s inlined
# std::string assignments of short literals: a false positive of that compiler
# (fixed in GCC 13), silenced there only.
list(APPEND QVC_WARNINGS
     "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>,$<CONFIG:Release>>:-Wno-restrict>")
set(QVC_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)

function(qvc_apply_flags target)
  target_compile_options(${target} PRIVATE ${QVC_WARNINGS})
  if(QVC_SANITIZE)
    target_compile_options(${target} PRIVATE ${QVC_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${QVC_SANITIZER_FLAGS})
  endif()
endfunction()

# Adds every listed folder; a listed folder without a CMakeLists.txt is a
# configure error, so a renamed or deleted folder cannot silently drop its code
# or tests. QVC_SKIP_DIRS (a list of paths from the source root, e.g. tests/tavlo)
# leaves folders out of a local build.
function(qvc_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
    if(rel IN_LIST QVC_SKIP_DIRS)
      continue()
    endif()
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      message(FATAL_ERROR "qvc_add_subdirectories: ${rel} is listed but has no CMakeLists.txt")
    endif()
    add_subdirectory(${dir})
  endforeach()
endfunction()

# qvc_add_library(NAME [SHARED|STATIC] SOURCES ... DEPS ... PRIVATE_DEPS ...)
# A platform library: its public headers live in include/ beside its sources
# (include/qvc/<lib>/...), its dependencies are listed by target name.
function(qvc_add_library name)
  cmake_parse_arguments(ARG "SHARED;STATIC" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  set(kind SHARED)
  if(ARG_STATIC)
    set(kind STATIC)
  endif()
  add_library(${name} ${kind} ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                     PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  qvc_apply_flags(${name})
endfunction()

# qvc_add_component_part(NAME SOURCES ... DEPS ...)
# One folder of the component (src/<folder>). Parts are object libraries that
# src/CMakeLists.txt combines into the shared library qvcomponents (public
# classes only exported) and into qvcomponents_internal for white-box tests.
function(qvc_add_component_part name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} OBJECT ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/include ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  target_compile_definitions(${name} PRIVATE QVC_BUILDING_LIBRARY)
  set_target_properties(${name} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                           VISIBILITY_INLINES_HIDDEN ON)
  qvc_apply_flags(${name})
  set_property(GLOBAL APPEND PROPERTY QVC_COMPONENT_PARTS ${name})
endfunction()

# The link, include folder, definitions and flags every GoogleTest program
# shares (they must be the same for the reused precompiled headers).
function(qvc_test_target_setup name)
  target_link_libraries(${name} PRIVATE GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
  target_compile_definitions(${name} PRIVATE
    QVC_SOURCE_DIR="${CMAKE_SOURCE_DIR}" QVC_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output")
  qvc_apply_flags(${name})
endfunction()

# qvc_add_test(NAME SOURCES ... DEPS ... [LABELS ...])
# A GoogleTest program registered with ctest, test by test.
function(qvc_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  qvc_test_target_setup(${name})
  # GoogleTest's headers take longer to compile than most test sources: they are
  # compiled once, in a program of their own (so that no test's sources must build
  # first), and reused by every test program.
  if(QVC_TEST_PCH)
    if(NOT TARGET qvc_test_pch)
      file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/qvc_test_pch.cpp
           CONTENT "// Only carries the precompiled headers.\n")
      add_executable(qvc_test_pch EXCLUDE_FROM_ALL ${CMAKE_BINARY_DIR}/qvc_test_pch.cpp)
      qvc_test_target_setup(qvc_test_pch)
      target_precompile_headers(qvc_test_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h> <string>
                                <vector> <filesystem> <fstream> <cmath> <algorithm>)
    endif()
    target_precompile_headers(${name} REUSE_FROM qvc_test_pch)
  endif()
  include(GoogleTest)
  set(props ENVIRONMENT "LC_ALL=C.UTF-8")
  if(ARG_LABELS)
    list(APPEND props LABELS "${ARG_LABELS}")
  endif()
  # Two LibreOffice conversions at once share its user profile and one of them
  # fails: the RTF reader checks run one at a time.
  if("rtfcheck" IN_LIST ARG_LABELS)
    list(APPEND props RESOURCE_LOCK libreoffice)
  endif()
  gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
                       PROPERTIES ${props} DISCOVERY_TIMEOUT 60)
endfunction()

# qvc_add_bench(NAME SOURCES ... DEPS ...)
function(qvc_add_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark)
  qvc_apply_flags(${name})
endfunction()
