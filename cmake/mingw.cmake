# Cross-compiling for Windows with Debian's mingw-w64, for the processor that
# the including toolchain file names in ADRELO_MINGW_PROCESSOR (i686 or x86_64).
# The posix thread model: GoogleTest, built for the Wine tests, needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ADRELO_MINGW_PROCESSOR})
set(ADRELO_MINGW_TRIPLET ${ADRELO_MINGW_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${ADRELO_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ADRELO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ADRELO_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ADRELO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
