# x86: an AVX2 instance beside the SSE2 baseline, chosen at run time.
target_sources(tavrix_objects PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LanesAvx2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paths.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesAvx2.cpp
  PROPERTIES COMPILE_OPTIONS "-mavx2;-fno-trapping-math")
