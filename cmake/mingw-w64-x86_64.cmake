# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX threads variant,
# which the C++ standard library's threads need). Programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVRO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVRO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVRO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test discovery and `ctest` start the programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# The compiler's runtime (libstdc++, libgcc, winpthreads) is linked into every program and DLL,
# so that what is shipped needs nothing but the system's own DLLs. A DLL without export marks
# (the platform library) exports all its own functions, never those of the runtime it holds.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--exclude-libs,ALL")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--exclude-libs,ALL")
