# Cross build for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686-posix). Nothing runs
# it here: the machines that build this cannot execute 32-bit programs, so scripts/test's
# windows32 stage only builds (library, tests, sample), which also checks the structure sizes
# of 32-bit Windows (platform/Win32.h).
#
#   cmake -S . -B build-mingw32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
# Doubles in SSE2 registers, as on 64-bit Windows: the x87 unit's wider intermediates would round
# blends and lines differently. Every processor 32-bit Windows 8 and later run on has SSE2. 32-bit
# Windows calls a program (its window procedure, its threads) with the stack only 4-byte aligned,
# so functions that keep SSE values on the stack align it themselves.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(ZVX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
