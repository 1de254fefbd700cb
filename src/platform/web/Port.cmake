# The WebAssembly port: the POSIX port's files over emscripten's file system,
# where the host puts Particle.ini and the effects, except the module's own
# path (there is no /proc here) and the ini reader, which takes inih's place
# because no WebAssembly build of inih exists. Added by the top-level build.
set(TAVRIX_POSIX_PORT_DIR ${CMAKE_CURRENT_LIST_DIR}/../posix)
target_sources(tavrix_objects PRIVATE
  ${TAVRIX_POSIX_PORT_DIR}/FileAccess.cpp
  ${TAVRIX_POSIX_PORT_DIR}/FindFile.cpp
  ${TAVRIX_POSIX_PORT_DIR}/Messages.cpp
  ${TAVRIX_POSIX_PORT_DIR}/ProfileInt.cpp
  ${TAVRIX_POSIX_PORT_DIR}/Strings.cpp
  ${TAVRIX_POSIX_PORT_DIR}/Time.cpp
  ${TAVRIX_POSIX_PORT_DIR}/Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniParser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModuleFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Threads.cpp)
target_include_directories(tavrix_objects PUBLIC ${TAVRIX_POSIX_PORT_DIR} ${CMAKE_CURRENT_LIST_DIR})
