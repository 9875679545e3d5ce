# Cross-builds for 64-bit Arm Linux with Debian's cross compiler (g++-aarch64-linux-gnu), and
# runs what it builds (the tests, GoogleTest's listing of them) under QEMU's user-mode emulator
# (qemu-user-static), which needs no help from the kernel and no root.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake ...
# scripts/cross-arm64.sh builds GoogleTest this way and then the Qt-free part of the tree.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Debian keeps the target's C library, loader and libstdc++ here. The compiler finds them on its
# own; the emulator must be told, or it looks for /lib/ld-linux-aarch64.so.1 on the host.
set(TESSALINE_CROSS_ROOT /usr/aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static -L ${TESSALINE_CROSS_ROOT})

# Libraries and CMake packages come only from the target's root (or from a prefix named by its
# _DIR variable, as GoogleTest's is), never from the host's amd64 ones.
list(APPEND CMAKE_FIND_ROOT_PATH ${TESSALINE_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Headers are looked for in the target's root first and then on the host: a header-only library
# such as SIMDe has no architecture, and Debian installs it only under /usr/include.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
