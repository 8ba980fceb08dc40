# Shared part of the mingw-w64 toolchain files; TV_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR are set by the including file.
set(CMAKE_SYSTEM_NAME Windows)

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
