# Shared by the mingw-w64 toolchain files, which set ZVX_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR
# first. Debian's compilers with the -posix thread model, which GoogleTest and <thread>/<mutex>
# need. Programs and DLLs are linked statically (the C++ runtime and winpthread inside them), so
# they run under Wine, or anywhere on Windows, without the mingw runtime DLLs.
set(CMAKE_SYSTEM_NAME Windows)

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
