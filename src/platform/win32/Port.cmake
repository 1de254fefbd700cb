# The Windows port: the system supplies the Windows functions; the port adds
# file access, the DLL's entry point and its export list, added to the core
# by the top-level build.
target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/FileAccess.cpp
               ${CMAKE_CURRENT_LIST_DIR}/Threads.cpp)
target_include_directories(tavrix_objects PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavrix_objects PUBLIC winmm)

target_sources(tavrix PRIVATE ${CMAKE_CURRENT_LIST_DIR}/DllMain.cpp
               ${PROJECT_SOURCE_DIR}/src/module/tavrix.def)
# The C and C++ runtimes are linked in, so the DLL imports system DLLs only.
target_link_libraries(tavrix PRIVATE winmm)
target_link_options(tavrix PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(tavrix PROPERTIES PREFIX "" IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")
