# WebAssembly: the baseline instance is the SIMD128 one beside this file
# unless TAVRIX_WASM_SIMD is off; every browser in use runs it. No instance
# is wider, so nothing is chosen at run time.
option(TAVRIX_WASM_SIMD "Compile the WebAssembly lane code for SIMD128" ON)
target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../portable/Paths.cpp)
if(TAVRIX_WASM_SIMD)
  # Stands in for the shared baseline instance, which stays out of the build.
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/../LanesVector.cpp
                              TARGET_DIRECTORY tavrix_objects PROPERTIES HEADER_FILE_ONLY ON)
  target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/LanesSimd128.cpp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesSimd128.cpp
                              PROPERTIES COMPILE_OPTIONS "-msimd128;-fno-trapping-math")
endif()
