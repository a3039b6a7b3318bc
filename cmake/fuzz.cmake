# The fuzz target over reading stored settings and placing the window: the
# logic and the fakes under libFuzzer, ASan and UBSan, built with clang below
# the native build (build/fuzz), with the rows of tests/data/stored_settings.txt
# as its seeds. Run with -P (DATA, SEEDS), this file writes those seeds instead:
# one file per row.
if(CMAKE_SCRIPT_MODE_FILE)
  file(REMOVE_RECURSE ${SEEDS})
  file(MAKE_DIRECTORY ${SEEDS})
  file(READ ${DATA} text)
  set(number 0)
  # Line by line with string(FIND), not as a list: a row may hold a semicolon.
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR next "${end} + 1")
      string(SUBSTRING "${text}" ${next} -1 text)
    endif()
    math(EXPR number "${number} + 1")
    string(STRIP "${line}" stripped)
    if(NOT stripped STREQUAL "" AND NOT stripped MATCHES "^#")
      file(WRITE ${SEEDS}/line-${number} "${line}")
    endif()
  endwhile()
  return()
endif()

file(GLOB ADRELO_FAKE_SOURCES CONFIGURE_DEPENDS tests/fakes/*.cpp)
add_executable(adrelo_settings_fuzz tests/fuzz/settings_fuzz.cpp ${ADRELO_LOGIC_SOURCES}
               platform/portable/text_portable.cpp ${ADRELO_FAKE_SOURCES})
target_include_directories(adrelo_settings_fuzz PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(adrelo_settings_fuzz PRIVATE ADRELO_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_compile_options(adrelo_settings_fuzz PRIVATE -Wall -Wextra -g -fno-omit-frame-pointer
                       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
target_link_options(adrelo_settings_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)

set(ADRELO_FUZZ_DATA ${CMAKE_SOURCE_DIR}/tests/data/stored_settings.txt)
set(ADRELO_FUZZ_SEEDS ${CMAKE_BINARY_DIR}/seeds)
add_custom_command(OUTPUT ${ADRELO_FUZZ_SEEDS}.stamp
  COMMAND ${CMAKE_COMMAND} -DDATA=${ADRELO_FUZZ_DATA} -DSEEDS=${ADRELO_FUZZ_SEEDS}
          -P ${CMAKE_CURRENT_LIST_FILE}
  COMMAND ${CMAKE_COMMAND} -E touch ${ADRELO_FUZZ_SEEDS}.stamp
  DEPENDS ${ADRELO_FUZZ_DATA} ${CMAKE_CURRENT_LIST_FILE}
  VERBATIM)
add_custom_target(adrelo_fuzz_seeds ALL DEPENDS ${ADRELO_FUZZ_SEEDS}.stamp)
# The corpus the runs grow; the seeds stay as generated.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/corpus)
