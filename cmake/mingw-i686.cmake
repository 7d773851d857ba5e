# Cross-compiling for 32-bit Windows with Debian's mingw-w64 (i686; the POSIX threads
# model, as GoogleTest needs std::mutex). libgcc, libstdc++ and winpthread are linked in,
# so the programs and the module need nothing but Windows' own libraries.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TA_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${TA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
# Programs run under Wine when tests are run on Linux.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Doubles computed in SSE2 registers, rounded to 64 bits at every step as on x86-64 Linux,
# not in the x87 unit's 80 bits: the same observations give the same report, digit for digit.
# Windows calls back (window procedures) with a stack aligned to 4 bytes only: functions
# that need more realign it.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
