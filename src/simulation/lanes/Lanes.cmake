# The update's lane code: the scalar and baseline instances beside this file,
# and the folder for the processor family, which adds its wider instances
# and the choice between them.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86|x86)$")
  set(TAVRIX_LANES x86)
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "wasm32")
  set(TAVRIX_LANES wasm32)
else()
  set(TAVRIX_LANES portable)
endif()
# No instance checks floating-point exception flags, so none needs the
# compiler to keep an operation from running in a lane that discards it:
# the values are the same, and without it the selects become vector code.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesScalar.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-tree-vectorize;-fno-tree-slp-vectorize")
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/LanesVector.cpp
  PROPERTIES COMPILE_OPTIONS "-fno-trapping-math")
include(${CMAKE_CURRENT_LIST_DIR}/${TAVRIX_LANES}/Lanes.cmake)
