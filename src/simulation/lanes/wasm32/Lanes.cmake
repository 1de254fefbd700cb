# WebAssembly: the baseline instance compiled for SIMD128 unless
# TAVRIX_WASM_SIMD is off; every browser in use runs it. -msse2 lets lane
# code written with SSE2 intrinsics build too, as emscripten maps them onto
# SIMD128. No instance is wider, so nothing is chosen at run time.
option(TAVRIX_WASM_SIMD "Compile the WebAssembly lane code for SIMD128" ON)
target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../portable/Paths.cpp)
if(TAVRIX_WASM_SIMD)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/../LanesVector.cpp APPEND
               PROPERTY COMPILE_OPTIONS "-msimd128;-msse2")
endif()
