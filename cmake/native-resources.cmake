# native-resources.cmake - the program's resources on the native build. The
# resource script is compiled by windres into a binary .res, exactly as the
# Windows build compiles it, and its bytes become a constant array in the
# object library lzresources. The platform layer reads that image as the
# program module's resources whenever a program links lzresources. Test
# programs with resource scripts of their own get theirs the same way.
#
# Run as a script (cmake -DLZ_RES=... -DLZ_OUT=... -P this file), it writes
# the array's source file.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${LZ_RES}" hex HEX)
  string(LENGTH "${hex}" length)
  math(EXPR last "${length} - 1")
  set(bytes "")
  foreach(pos RANGE 0 ${last} 32)
    string(SUBSTRING "${hex}" ${pos} 32 line)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," line "${line}")
    string(APPEND bytes "    ${line}\n")
  endforeach()
  file(WRITE "${LZ_OUT}.tmp"
       "/* Generated from the compiled resource script: do not edit. */\n"
       "#include <stddef.h>\n\n"
       "extern \"C\" {\n"
       "alignas(16) extern const unsigned char LzPortResourceImage[] = {\n${bytes}};\n"
       "extern const size_t LzPortResourceImageSize = sizeof LzPortResourceImage;\n"
       "}\n")
  file(COPY_FILE "${LZ_OUT}.tmp" "${LZ_OUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${LZ_OUT}.tmp")
  return()
endif()

if(WIN32)
  return()
endif()

# windres of either mingw-w64 target, with that target's headers for
# <windows.h>; the host's preprocessor stands in for the cross compiler's,
# told that it preprocesses for Windows.
find_program(LZ_WINDRES NAMES x86_64-w64-mingw32-windres i686-w64-mingw32-windres)
find_path(LZ_MINGW_INCLUDE windows.h
  PATHS /usr/x86_64-w64-mingw32/include /usr/i686-w64-mingw32/include NO_DEFAULT_PATH)
if(NOT LZ_WINDRES OR NOT LZ_MINGW_INCLUDE)
  message(FATAL_ERROR "windres and the mingw-w64 headers are needed for the program's resources: "
                      "run scripts/deps.sh native")
endif()

set(LZ_NATIVE_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

# lz_native_resources(NAME SCRIPT [DEPENDS FILE...]): the object library NAME
# holding the compiled resource script SCRIPT (build/res/<script>.res) as a
# program's resource image. A program links at most one such library.
function(lz_native_resources name script)
  cmake_parse_arguments(arg "" "" "DEPENDS" ${ARGN})
  get_filename_component(base ${script} NAME_WE)
  get_filename_component(dir ${script} DIRECTORY)
  set(res ${CMAKE_BINARY_DIR}/res/${base}.res)
  set(source ${CMAKE_BINARY_DIR}/res/${base}_res.cpp)
  add_custom_command(
    OUTPUT ${res}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/res
    COMMAND ${LZ_WINDRES} ${LZ_RES_PREPROCESSOR} -I ${dir} -I ${LZ_MINGW_INCLUDE} -O res ${script} ${res}
    DEPENDS ${script} ${arg_DEPENDS}
    COMMENT "Compiling the resource script ${base}.rc"
    VERBATIM)
  add_custom_command(
    OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DLZ_RES=${res} -DLZ_OUT=${source} -P ${LZ_NATIVE_RESOURCES_SCRIPT}
    DEPENDS ${res} ${LZ_NATIVE_RESOURCES_SCRIPT}
    COMMENT "Embedding the compiled resources of ${base}.rc"
    VERBATIM)
  add_library(${name} OBJECT ${source})
endfunction()

set(LZ_RES_PREPROCESSOR --preprocessor=${CMAKE_C_COMPILER})
foreach(arg -E -xc -DRC_INVOKED -D_WIN32 -D_WIN64 -nostdinc)
  list(APPEND LZ_RES_PREPROCESSOR --preprocessor-arg=${arg})
endforeach()

# An object library, as on Windows: linking it puts the image into the
# program, where the platform layer finds it.
lz_native_resources(lzresources ${CMAKE_SOURCE_DIR}/res/LZUninstall.rc
  DEPENDS ${CMAKE_SOURCE_DIR}/res/resource.h ${CMAKE_SOURCE_DIR}/res/LZUninstall.ico)
