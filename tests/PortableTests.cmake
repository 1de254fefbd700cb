# What the cross builds' test programs share: GoogleTest built from the build
# machine's sources, and TAVRIX_PORTABLE_TEST_SOURCES, the unit tests and test
# support that every port runs. Tests and support below a posix/ folder are
# the POSIX build's alone: they use the stand-in device, images written
# through libpng and libjpeg, or behaviour of the POSIX port (paths resolved
# without regard to letter case, FindFirstFileA failing on directories, "+12"
# read as 12 where Windows reads 0), or compare the library's sine, cosine and
# atan2 with glibc's and with double-precision functions that other C
# runtimes round differently.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TAVRIX_TESTS_DIR ${PROJECT_SOURCE_DIR}/tests)
file(GLOB_RECURSE TAVRIX_PORTABLE_TEST_SOURCES CONFIGURE_DEPENDS
  ${TAVRIX_TESTS_DIR}/unit/*.cpp ${TAVRIX_TESTS_DIR}/support/*.cpp)
list(FILTER TAVRIX_PORTABLE_TEST_SOURCES EXCLUDE REGEX "/tests/(unit|support)/posix/")
