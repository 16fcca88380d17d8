# Cross-compiling Kvoro for 64-bit Windows with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVORO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KVORO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVORO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KVORO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KVORO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static, so that the executables need no MinGW runtime DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")


# The root CMakeLists sets CMAKE_CROSSCOMPILING_EMULATOR to a Wine wrapper with
# a prefix inside the build tree.
