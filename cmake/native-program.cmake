# native-program.cmake - the native program, lzuninstall at the top of the
# build folder: the application over the platform layer, shown by the
# terminal front end (curses) or driven as a scripted session.
if(WIN32)
  return()
endif()

set(CURSES_NEED_NCURSES TRUE)
set(CURSES_NEED_WIDE TRUE)
find_package(Curses REQUIRED)
# the front end lives in the platform layer beside the window system
target_include_directories(lzport PRIVATE ${CURSES_INCLUDE_DIRS})
target_link_libraries(lzport PUBLIC ${CURSES_LIBRARIES})

# The front end's headers, for its tests.
add_library(lzterminal INTERFACE)
target_include_directories(lzterminal INTERFACE port/src)
