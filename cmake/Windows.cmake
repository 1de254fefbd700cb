# The Windows build, cross-compiled with mingw-w64: the core with the win32
# platform port against the system's d3d8.h, tavrix.dll with its two
# exports and import library, and the tests that run under wine64.
# Programs and the DLL share one folder, as in a game's installation.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

file(GLOB_RECURSE TAVRIX_CORE_SOURCES CONFIGURE_DEPENDS src/*.cpp)
# PNG and JPEG are decoded by stb_image (no libpng or libjpeg for mingw).
list(FILTER TAVRIX_CORE_SOURCES EXCLUDE REGEX
     "/src/platform/posix/|/src/image/(Png|Jpeg)Decoder\\.cpp$|/DllMain\\.cpp$")
add_library(tavrix_objects OBJECT ${TAVRIX_CORE_SOURCES})
# stb's headers come from the build machine's libstb-dev, copied alone so
# that none of its other headers shadow mingw's.
find_path(TAVRIX_STB_DIR stb/stb_image.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${TAVRIX_STB_DIR}/stb/stb_image.h DESTINATION ${CMAKE_BINARY_DIR}/stb/stb)
target_include_directories(tavrix_objects PUBLIC include src src/platform/win32)
target_include_directories(tavrix_objects SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/stb)
target_compile_definitions(tavrix_objects PUBLIC TAVRIX_BUILDING)
target_link_libraries(tavrix_objects PUBLIC winmm)

# The C and C++ runtimes are linked in, so the DLL imports system DLLs only.
add_library(tavrix SHARED $<TARGET_OBJECTS:tavrix_objects> src/platform/win32/DllMain.cpp
            src/module/tavrix.def)
target_include_directories(tavrix PUBLIC include)
target_link_libraries(tavrix PRIVATE winmm)
target_link_options(tavrix PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(tavrix PROPERTIES PREFIX "" IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")

add_library(tavrix_core STATIC $<TARGET_OBJECTS:tavrix_objects>)
target_link_libraries(tavrix_core PUBLIC tavrix_objects)

if(TAVRIX_BUILD_TESTS)
  enable_testing()
  add_subdirectory(tests/windows)
endif()
