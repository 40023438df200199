# Shared by the mingw-w64 toolchain files: the compilers and windres of
# LZ_MINGW_PREFIX. LZ_MINGW_THREADS picks the compilers' thread model:
# win32 (the default) for the program, which then carries no POSIX-threads
# runtime and imports nothing newer than Windows 95 and NT 4.0 offer; posix
# for the test programs, since GoogleTest needs std::mutex, which the win32
# model of these compilers lacks.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT LZ_MINGW_THREADS)
  set(LZ_MINGW_THREADS win32)
endif()
if(NOT LZ_MINGW_THREADS MATCHES "^(win32|posix)$")
  message(FATAL_ERROR "LZ_MINGW_THREADS is win32 or posix, not ${LZ_MINGW_THREADS}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LZ_MINGW_THREADS)
set(CMAKE_C_COMPILER ${LZ_MINGW_PREFIX}-gcc-${LZ_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${LZ_MINGW_PREFIX}-g++-${LZ_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${LZ_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${LZ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
