# Cross build for 64-bit Windows with Debian's mingw-w64 (the -posix thread model, which
# GoogleTest and <thread>/<mutex> need). Executables are linked statically so they run under
# Wine without the mingw runtime DLLs; CTest runs them through scripts/wine-run.
#
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZVX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${ZVX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZVX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZVX_MINGW_TRIPLE}-windres)

# Look for libraries and headers only in the target's tree, never the host's (a host GTest or
# SDL2 must not be picked up); programs such as wine still come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZVX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Tests (and anything else CMake runs for the target) go through Wine, in a prefix inside the
# build directory so that builds never share or disturb ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;${CMAKE_BINARY_DIR}/wine-prefix")
