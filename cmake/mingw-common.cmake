# Shared by the mingw-w64 toolchain files: the POSIX-thread compilers (for
# GoogleTest's std::mutex) and windres of LZ_MINGW_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${LZ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LZ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LZ_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
