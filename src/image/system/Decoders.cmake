# PNG and JPEG through the system's libpng and libjpeg, added to the core by
# the top-level build where those libraries are installed.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)

target_sources(tavrix_objects PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PngDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JpegDecoder.cpp)
target_link_libraries(tavrix_objects PUBLIC PNG::PNG JPEG::JPEG)
target_link_libraries(tavrix PRIVATE PNG::PNG JPEG::JPEG)
