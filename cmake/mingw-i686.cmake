# The shipped program: 32-bit Windows (PE32).
set(ADRELO_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
