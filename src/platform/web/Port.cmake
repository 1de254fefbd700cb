# The WebAssembly port: the POSIX port's files over emscripten's file system,
# except those this folder has a file of the same name for: the module's own
# path (there is no /proc here) and the threads (there are none, unless the
# module is built with shared memory: then the C++ runtime's). Its ini
# reader takes inih's place because no WebAssembly build of inih exists.
# Added by the top-level build.
set(TAVRIX_POSIX_PORT_DIR ${CMAKE_CURRENT_LIST_DIR}/../posix)
file(GLOB TAVRIX_WEB_PORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
file(GLOB TAVRIX_POSIX_PORT_SOURCES CONFIGURE_DEPENDS ${TAVRIX_POSIX_PORT_DIR}/*.cpp)
if(TAVRIX_WEB_THREADS)
  list(FILTER TAVRIX_WEB_PORT_SOURCES EXCLUDE REGEX "/Threads\\.cpp$")
endif()
foreach(source ${TAVRIX_WEB_PORT_SOURCES})
  get_filename_component(name ${source} NAME)
  string(REPLACE "." "\\." name ${name})
  list(FILTER TAVRIX_POSIX_PORT_SOURCES EXCLUDE REGEX "/${name}$")
endforeach()
target_sources(tavrix_objects PRIVATE ${TAVRIX_POSIX_PORT_SOURCES} ${TAVRIX_WEB_PORT_SOURCES})
target_include_directories(tavrix_objects PUBLIC ${TAVRIX_POSIX_PORT_DIR} ${CMAKE_CURRENT_LIST_DIR})
