# Cross-compiles the Win32 side on Linux with clang and lld, against the headers and libraries of
# Debian's mingw-w64 GCC (the -posix thread model, as for the GCC build).
#
# Debian puts that GCC's files in /usr/lib/gcc/x86_64-w64-mingw32/12-posix: clang cannot read
# "12-posix" as a version, so it finds neither libstdc++'s headers nor libgcc. A sysroot in the build
# folder gives it the usual layout, with two links:
#   <sysroot>/lib/gcc/x86_64-w64-mingw32/12 -> /usr/lib/gcc/x86_64-w64-mingw32/12-posix
#       libstdc++'s headers, libstdc++, libgcc, crtbegin.o
#   <sysroot>/x86_64-w64-mingw32 -> /usr/x86_64-w64-mingw32
#       the mingw-w64 headers, crt2.o and the import libraries
include(${CMAKE_CURRENT_LIST_DIR}/mingw-target.cmake)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-windows-gnu)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-windows-gnu)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Made once, in the top-level build folder; CMake's test projects get its path.
if(NOT VELMORA_CLANG_SYSROOT)
    set(VELMORA_CLANG_SYSROOT ${CMAKE_BINARY_DIR}/sysroot)
    file(GLOB gccLibDirs LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
    if(NOT gccLibDirs)
        message(FATAL_ERROR "No /usr/lib/gcc/x86_64-w64-mingw32/*-posix: install g++-mingw-w64-x86-64")
    endif()
    list(SORT gccLibDirs COMPARE NATURAL ORDER DESCENDING)
    list(GET gccLibDirs 0 gccLibDir)
    get_filename_component(gccVersion ${gccLibDir} NAME)
    string(REPLACE "-posix" "" gccVersion ${gccVersion})
    file(MAKE_DIRECTORY ${VELMORA_CLANG_SYSROOT}/lib/gcc/x86_64-w64-mingw32)
    file(CREATE_LINK ${gccLibDir} ${VELMORA_CLANG_SYSROOT}/lib/gcc/x86_64-w64-mingw32/${gccVersion} SYMBOLIC)
    file(CREATE_LINK /usr/x86_64-w64-mingw32 ${VELMORA_CLANG_SYSROOT}/x86_64-w64-mingw32 SYMBOLIC)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_CLANG_SYSROOT)
set(CMAKE_SYSROOT ${VELMORA_CLANG_SYSROOT})

# lld instead of the GNU linker; -pthread links winpthreads, which libstdc++'s posix thread model needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread")
