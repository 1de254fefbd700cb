# Other processors: the two instances every build has.
target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Paths.cpp)
