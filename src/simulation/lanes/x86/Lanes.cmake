# x86: AVX2 and AVX-512 instances beside the SSE2 baseline, chosen at run time.
target_sources(tavrix_objects PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LanesAvx2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanesAvx512.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Paths.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesAvx2.cpp
  PROPERTIES COMPILE_OPTIONS "-mavx2;-fno-trapping-math")
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesAvx512.cpp
  PROPERTIES COMPILE_OPTIONS
  "-mavx512f;-mavx512vl;-mavx512dq;-mavx512bw;-mprefer-vector-width=512;-fno-trapping-math")
