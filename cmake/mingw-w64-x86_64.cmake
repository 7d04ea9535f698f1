# Cross-compiles the Win32 side on Linux with mingw-w64.
# The -posix compilers: with the win32 thread model GoogleTest lacks std::mutex.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
