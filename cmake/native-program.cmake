# native-program.cmake - the native program, lzuninstall at the top of the
# build folder: the application over the platform layer, shown by the
# terminal front end (curses) or driven as a scripted session.
if(WIN32)
  return()
endif()

# The front end, for its tests.
add_library(lzterminal INTERFACE)
target_link_libraries(lzterminal INTERFACE lzterm lzporttesting)

if(NOT EXISTS ${CMAKE_SOURCE_DIR}/ui/UninstallApp.cpp OR LZ_FUZZ)
  return()
endif()

# The application object and everything it uses come from lzprogram, taken
# whole, since nothing refers to the application object by name.
add_executable(lzuninstall port/term/main.cpp)
target_compile_options(lzuninstall PRIVATE ${LZ_CHARSET_FLAGS})
target_link_libraries(lzuninstall PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,lzprogram>" lzterm lzport
  $<TARGET_NAME_IF_EXISTS:lzresources>)
set_target_properties(lzuninstall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# One test runs the program as a subprocess on sample machines.
target_compile_definitions(lzterminal INTERFACE
  LZ_PROGRAM_PATH="$<TARGET_FILE:lzuninstall>"
  LZ_SAMPLE_MACHINE_SCRIPT="${CMAKE_SOURCE_DIR}/scripts/sample-machine.sh")
add_dependencies(lzterminal lzuninstall)
