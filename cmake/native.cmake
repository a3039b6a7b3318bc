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

# The Windows part, cross-compiled into build/win32 on every build.
set(ADRELO_WIN32_DIR ${CMAKE_BINARY_DIR}/win32)
ExternalProject_Add(win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${ADRELO_WIN32_DIR}
  CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686.cmake
             -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

set(ADRELO_SOURCE_DIR ${CMAKE_SOURCE_DIR})
add_test(NAME wine.integration
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/run_wine_tests.sh ${ADRELO_WIN32_DIR})
set_tests_properties(wine.integration PROPERTIES LABELS wine TIMEOUT 300 RUN_SERIAL ON)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_tests.cmake)
  include(tests/e2e/e2e_tests.cmake)
endif()
