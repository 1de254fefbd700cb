# PNG and JPEG through stb_image, for builds without libpng and libjpeg (no
# mingw packages of them), added to the core by the top-level build. stb's
# header comes from the build machine's libstb-dev, copied alone so that none
# of its other headers shadow the target's.
find_path(TAVRIX_STB_DIR stb/stb_image.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${TAVRIX_STB_DIR}/stb/stb_image.h DESTINATION ${CMAKE_BINARY_DIR}/stb/stb)

target_sources(tavrix_objects PRIVATE ${CMAKE_CURRENT_LIST_DIR}/PngJpegDecoders.cpp)
target_include_directories(tavrix_objects SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/stb)
