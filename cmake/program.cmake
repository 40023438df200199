# program.cmake - the program's resources and, on Windows, LZUNINSTALL.EXE.
if(NOT WIN32)
  return()
endif()

# The compiled resource script. Test programs that load the templates and
# strings link it as well as the program does.
add_library(lzresources OBJECT res/LZUninstall.rc)
target_include_directories(lzresources PRIVATE res)
set_source_files_properties(res/LZUninstall.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/LZUninstall.ico")

# The program: the application object and everything it uses come from
# lzprogram, taken whole, since nothing refers to the application object by
# name. Built once the application's sources exist, and not in a tree of
# test programs that drive a program built elsewhere (LZ_PROGRAM_UNDER_TEST).
if(EXISTS ${CMAKE_SOURCE_DIR}/ui/UninstallApp.cpp AND NOT LZ_PROGRAM_UNDER_TEST)
  add_executable(lzuninstall WIN32 $<TARGET_OBJECTS:lzresources> res/LZUninstall_manifest.rc)
  set_source_files_properties(res/LZUninstall_manifest.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/LZUninstall.manifest")
  target_include_directories(lzuninstall PRIVATE res)
  target_link_libraries(lzuninstall PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,lzprogram>")
  set_target_properties(lzuninstall PROPERTIES
    OUTPUT_NAME LZUNINSTALL
    SUFFIX ".EXE"
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
endif()
