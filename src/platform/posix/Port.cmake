# The POSIX port: the Windows functions the core calls, implemented on this
# system (see ../README.md), added to the core by the top-level build.
# Settings come from Particle.ini through inih.
find_package(PkgConfig REQUIRED)
pkg_check_modules(INIH REQUIRED IMPORTED_TARGET inih)

target_sources(tavrix_objects PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FileAccess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModuleFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProfileInt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Strings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Threads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Window.cpp)
target_include_directories(tavrix_objects PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavrix_objects PUBLIC PkgConfig::INIH ${CMAKE_DL_LIBS})

target_link_libraries(tavrix PRIVATE PkgConfig::INIH m)
# Only the two exports leave the library, and nothing stays unresolved.
target_link_options(tavrix PRIVATE -Wl,--exclude-libs,ALL -Wl,--no-undefined)
