# The Windows build: Adrelo.exe and the test programs that run under Wine.
enable_language(RC)
# The resource script is UTF-8 (for the Bulgarian texts).
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections)
# The C and C++ runtimes are linked in: the exe imports only Windows' own DLLs.
add_link_options(-static -municode -Wl,--gc-sections)

add_library(adrelo_logic STATIC ${ADRELO_LOGIC_SOURCES} platform/win32/text_win32.cpp)
target_include_directories(adrelo_logic PUBLIC ${CMAKE_SOURCE_DIR})

add_library(adrelo_win32 STATIC
  main_window/form1_window.cpp
  platform/win32/clipboard_win32.cpp
  platform/win32/locale_win32.cpp
  platform/win32/message_box_win32.cpp
  platform/win32/registry_win32.cpp
  platform/win32/sockets_win32.cpp
  platform/win32/string_table_win32.cpp
)
target_link_libraries(adrelo_win32 PUBLIC adrelo_logic wsock32 comctl32)

add_executable(Adrelo WIN32 app/main.cpp resources/adrelo.rc)
target_link_libraries(Adrelo PRIVATE adrelo_win32)
target_link_options(Adrelo PRIVATE -s)
set_target_properties(Adrelo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# GoogleTest from Debian's sources, built for Windows, for the Wine layer.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

add_subdirectory(tests/wine)
if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
