# The native build: unit tests of the logic under ASan and UBSan, the Windows
# part built below it, and every test layer registered with CTest.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)
include(ExternalProject)

add_compile_options(-Wall -Wextra -g -fsanitize=address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)

add_library(adrelo_logic STATIC ${ADRELO_LOGIC_SOURCES} platform/portable/text_portable.cpp)
target_include_directories(adrelo_logic PUBLIC ${CMAKE_SOURCE_DIR})

file(GLOB ADRELO_UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/fakes/*.cpp)
add_executable(adrelo_unit_tests ${ADRELO_UNIT_TEST_SOURCES})
target_link_libraries(adrelo_unit_tests PRIVATE adrelo_logic GTest::gtest_main)
target_compile_definitions(adrelo_unit_tests PRIVATE ADRELO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
gtest_discover_tests(adrelo_unit_tests PROPERTIES LABELS unit)

# The Wine layers run under the Wine this machine can run, with the builds it
# runs: scripts/wine_env.sh tries once per configure (ADRELO_WINE=32|64 forces).
execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/wine_env.sh
                OUTPUT_VARIABLE ADRELO_WINE_CHOICE OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE ADRELO_WINE_RESULT)
if(NOT ADRELO_WINE_RESULT EQUAL 0)
  message(FATAL_ERROR "scripts/wine_env.sh failed")
endif()
string(REPLACE "\n" ";" ADRELO_WINE_CHOICE "${ADRELO_WINE_CHOICE}")
list(GET ADRELO_WINE_CHOICE 0 ADRELO_WINE)
list(GET ADRELO_WINE_CHOICE 1 ADRELO_WINE_DESCRIPTION)
message(NOTICE "Wine tests: ${ADRELO_WINE_DESCRIPTION}")
if(ADRELO_WINE EQUAL 32)
  set(ADRELO_WINDOWS_DIR ${CMAKE_BINARY_DIR}/win32)
else()
  set(ADRELO_WINDOWS_DIR ${CMAKE_BINARY_DIR}/win64)
endif()

# The Windows part, cross-compiled on every build: the shipped 32-bit program
# in build/win32 and a 64-bit build of the same sources in build/win64. The
# build the Wine tests run has its test and benchmark programs too; the other
# one only the program, for the release files.
function(adrelo_windows_build folder processor)
  set(program_only ON)
  if(ADRELO_WINDOWS_DIR STREQUAL ${CMAKE_BINARY_DIR}/${folder})
    set(program_only OFF)
  endif()
  ExternalProject_Add(${folder}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${folder}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-${processor}.cmake
               -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE} -DADRELO_PROGRAM_ONLY=${program_only}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/${folder}/Adrelo.exe
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endfunction()
adrelo_windows_build(win32 i686)
adrelo_windows_build(win64 x86_64)

# The fuzz target of the stored settings, built with clang and libFuzzer in
# build/fuzz (cmake/fuzz.cmake), and a bounded run of it: the rows of the data
# file as read-only seeds, what it learns kept in build/fuzz/corpus.
find_program(ADRELO_CLANGXX NAMES clang++ clang++-14)
if(ADRELO_CLANGXX)
  set(ADRELO_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  ExternalProject_Add(fuzz
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${ADRELO_FUZZ_DIR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${ADRELO_CLANGXX} -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
               -DADRELO_FUZZ=ON
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${ADRELO_FUZZ_DIR}/adrelo_settings_fuzz
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
  add_test(NAME fuzz.stored_settings
           COMMAND ${ADRELO_FUZZ_DIR}/adrelo_settings_fuzz -max_total_time=20 -print_final_stats=1
                   -artifact_prefix=${ADRELO_FUZZ_DIR}/ ${ADRELO_FUZZ_DIR}/corpus
                   ${ADRELO_FUZZ_DIR}/seeds)
  set_tests_properties(fuzz.stored_settings PROPERTIES LABELS fuzz TIMEOUT 120)
else()
  message(WARNING "No clang++: the fuzz target is not built (scripts/setup.sh installs clang)")
endif()

# The release files of both builds (portable zips, installers, SHA256SUMS,
# the winget and Scoop manifests) in build/dist, made again when a program or
# the packaging changes; the installer's end-to-end case installs one.
# `make package` makes them afresh in dist/, dated by the commit.
set(ADRELO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
# They are unsigned whatever the environment: a developer's key signs only
# `make package`.
add_custom_command(OUTPUT ${ADRELO_DIST_DIR}/SHA256SUMS
  COMMAND ${CMAKE_COMMAND} -E env --unset=ADRELO_SIGN_PKCS12
          bash ${CMAKE_SOURCE_DIR}/packaging/package.sh ${CMAKE_BINARY_DIR} ${ADRELO_DIST_DIR}
  DEPENDS ${CMAKE_BINARY_DIR}/win32/Adrelo.exe ${CMAKE_BINARY_DIR}/win64/Adrelo.exe
          packaging/package.sh packaging/sign.sh packaging/adrelo.nsi packaging/README.txt LICENSE
          packaging/release_tools.py packaging/manifests.py packaging/release.conf
  VERBATIM)
add_custom_target(release_files ALL DEPENDS ${ADRELO_DIST_DIR}/SHA256SUMS)
add_test(NAME package.manifests
         COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/packaging/check_manifests.py ${ADRELO_DIST_DIR})
# Builds the program again for both processors in a copy of the sources (a
# minute or two, at a lower priority than the Wine cases beside it).
add_test(NAME package.reproducible
         COMMAND nice -n 5 bash ${CMAKE_SOURCE_DIR}/tests/packaging/reproducible.sh
                 ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
# Signs the release with a throwaway key made for the run and checks it; the
# installer's end-to-end case installs what it leaves in build/signed.
set(ADRELO_SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)
add_test(NAME package.signed
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/packaging/signed.sh
                 ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${ADRELO_SIGNED_DIR})
set_tests_properties(package.signed PROPERTIES FIXTURES_SETUP signed_release)
set_tests_properties(package.manifests package.reproducible package.signed PROPERTIES
                     LABELS package TIMEOUT 600)

set(ADRELO_SOURCE_DIR ${CMAKE_SOURCE_DIR})
add_test(NAME wine.integration
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/run_wine_tests.sh ${ADRELO_WINDOWS_DIR})
set_tests_properties(wine.integration PROPERTIES LABELS wine TIMEOUT 300
                     ENVIRONMENT ADRELO_WINE=${ADRELO_WINE})
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.cmake)
  include(tests/e2e/e2e_tests.cmake)
endif()
