# The Windows build: Adrelo.exe and the test programs that run under Wine.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# The same sources give the same exe wherever they are built, and when: no
# source path and no link time goes in (the release's time stamp is the
# commit's, set when it is packaged).
if(MSVC)
  add_compile_options(/W4 /utf-8 /O1 /Brepro)
  add_link_options(/Brepro)
  # The C and C++ runtimes are linked in: the exe imports only Windows' own DLLs.
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded")
else()
  # The resource script is UTF-8 (for the Bulgarian texts).
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")
  add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections
                      -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
  # The C and C++ runtimes are linked in: the exe imports only Windows' own DLLs.
  add_link_options(-static -municode -Wl,--gc-sections -Wl,--no-insert-timestamp)
  # Made for Windows 7 and aware of Remote Desktop, as MSVC marks an exe: below
  # 6.0 Windows reports pre-Vista frame metrics, and a terminal server maps
  # an unaware program's system calls as for a program of before its time.
  add_link_options(-Wl,--major-subsystem-version,6,--minor-subsystem-version,1,--tsaware)
endif()

set(ADRELO_WIN32_SOURCES
  about/form3_window.cpp
  app/modal_windows_win32.cpp
  main_window/form1_window.cpp
  main_window/form1_window_ops.cpp
  main_window/list_tip.cpp
  platform/win32/adapters_win32.cpp
  platform/win32/base_dialog.cpp
  platform/win32/clipboard_win32.cpp
  platform/win32/dpi.cpp
  platform/win32/executable_win32.cpp
  platform/win32/frame_caption.cpp
  platform/win32/locale_win32.cpp
  platform/win32/message_box_win32.cpp
  platform/win32/notify_icon_win32.cpp
  platform/win32/program_icons.cpp
  platform/win32/registry_win32.cpp
  platform/win32/session_copies_win32.cpp
  platform/win32/sockets_win32.cpp
  platform/win32/string_table_win32.cpp
  platform/win32/system_library.cpp
  settings/form2_window.cpp
)
# ole32 and oleaut32 are loaded by the About window itself, when it opens.
set(ADRELO_WIN32_LIBRARIES ws2_32 comctl32 shell32)

# The version, from the project's (a missing patch number is 0).
set(ADRELO_VERSION_PATCH 0)
if(PROJECT_VERSION_PATCH)
  set(ADRELO_VERSION_PATCH ${PROJECT_VERSION_PATCH})
endif()
set(ADRELO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(resources/adrelo_version.h.in ${ADRELO_GENERATED_DIR}/adrelo_version.h @ONLY)

# The logic and the Win32 layer as libraries, for the test programs.
add_library(adrelo_logic STATIC ${ADRELO_LOGIC_SOURCES} platform/win32/text_win32.cpp)
target_include_directories(adrelo_logic PUBLIC ${CMAKE_SOURCE_DIR})
add_library(adrelo_win32 STATIC ${ADRELO_WIN32_SOURCES})
target_link_libraries(adrelo_win32 PUBLIC adrelo_logic ${ADRELO_WIN32_LIBRARIES})

# The program compiles the same sources on its own: with GCC it drops the
# exception runtime and RTTI, which it never uses and which GoogleTest needs
# (docs/performance.md has what each step saves).
add_executable(Adrelo WIN32 app/main.cpp resources/adrelo.rc ${ADRELO_LOGIC_SOURCES}
                            platform/win32/text_win32.cpp ${ADRELO_WIN32_SOURCES})
target_include_directories(Adrelo PRIVATE ${CMAKE_SOURCE_DIR} ${ADRELO_GENERATED_DIR})
target_link_libraries(Adrelo PRIVATE ${ADRELO_WIN32_LIBRARIES})
if(NOT MSVC)
  target_sources(Adrelo PRIVATE app/libstdcxx_without_exceptions.cpp app/entry.cpp)
  # No unwind tables either: the linker keeps every function that has one.
  target_compile_options(Adrelo PRIVATE -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables)
  # Its own entry point instead of the C runtime's start-up code (app/entry.cpp);
  # a 32-bit C name takes a leading underscore.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(ADRELO_ENTRY _AdreloStart)
  else()
    set(ADRELO_ENTRY AdreloStart)
  endif()
  target_link_options(Adrelo PRIVATE -s -nostartfiles -Wl,-e,${ADRELO_ENTRY})
endif()
set_target_properties(Adrelo PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The test programs for Wine, when GoogleTest's sources are at hand (Debian's
# googletest package puts them here) and the build is not for the program alone.
set(ADRELO_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the Wine tests")
option(ADRELO_PROGRAM_ONLY "Build Adrelo.exe alone, without its test and benchmark programs" OFF)
if(NOT ADRELO_PROGRAM_ONLY AND EXISTS ${ADRELO_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${ADRELO_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  add_subdirectory(tests/wine)
  add_subdirectory(tests/e2e)
  # The benchmark reads the notification area through the e2e probe.
  add_subdirectory(bench)
endif()

# The files the resource scripts take in: windres reads them, but CMake does
# not see them as dependencies of the scripts.
set(ADRELO_RESOURCE_FILES adrelo.manifest adrelo.ico about.gif hand.cur)
list(TRANSFORM ADRELO_RESOURCE_FILES PREPEND ${CMAKE_SOURCE_DIR}/resources/)
set(ADRELO_RESOURCE_SCRIPT_DIRECTORIES ${CMAKE_SOURCE_DIR})
if(TARGET adrelo_wine_tests)
  list(APPEND ADRELO_RESOURCE_SCRIPT_DIRECTORIES ${CMAKE_SOURCE_DIR}/tests/wine
              ${CMAKE_SOURCE_DIR}/bench)
endif()
set_source_files_properties(
  ${CMAKE_SOURCE_DIR}/resources/adrelo.rc ${CMAKE_SOURCE_DIR}/bench/reference_manifest.rc
  DIRECTORY ${ADRELO_RESOURCE_SCRIPT_DIRECTORIES}
  PROPERTIES OBJECT_DEPENDS "${ADRELO_RESOURCE_FILES}")
