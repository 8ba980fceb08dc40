# Cross-compiling for Win32 with Debian's mingw-w64 (x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TV_TRIPLE x86_64-w64-mingw32)

# The -posix thread model gives std::thread and std::mutex (GoogleTest needs them).
set(CMAKE_C_COMPILER   ${TV_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TV_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TV_TRIPLE}-windres)
set(TV_WIDL            ${TV_TRIPLE}-widl)

set(CMAKE_FIND_ROOT_PATH /usr/${TV_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Debian's `wine` wrapper picks the 32-bit loader, which these machines cannot run.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
