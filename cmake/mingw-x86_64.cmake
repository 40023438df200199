# Toolchain: 64-bit Windows (the twin, built as the release is), mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LZ_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
