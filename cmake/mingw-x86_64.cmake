# The 64-bit build of the same sources (PE32+), for the 64-bit Wine.
set(ADRELO_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
