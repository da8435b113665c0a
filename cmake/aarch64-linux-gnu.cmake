# Cross build for 64-bit ARM Linux with Debian's g++-aarch64-linux-gnu; CTest runs the tests under
# qemu-aarch64 (Debian's qemu-user) with the target's libraries from /usr/aarch64-linux-gnu.
# Without SDL2 and GTK for the target, configure with -DZVX_BUILD_APP=OFF: the library, its
# software GDI and their tests.
#
#   cmake -S . -B build-arm64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DZVX_BUILD_APP=OFF
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Libraries, headers and packages only from the target's tree, never the host's (the host's
# GoogleTest must not be found: the tests build it from /usr/src/googletest for the target).
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
