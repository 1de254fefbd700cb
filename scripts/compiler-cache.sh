# Sourced by the build scripts: sets `launcher` to the CMake options that
# send compilations through ccache when it is installed, with paths relative
# to the checkout so that clones elsewhere share the cache. The debug
# information names them relative to it too; that map goes through the
# environment so that it adds to a toolchain's own flags.
launcher=()
if command -v ccache > /dev/null; then
  CCACHE_BASEDIR=$(pwd)
  CFLAGS="${CFLAGS:-} -fdebug-prefix-map=$(pwd)=."
  CXXFLAGS="${CXXFLAGS:-} -fdebug-prefix-map=$(pwd)=."
  export CCACHE_BASEDIR CFLAGS CXXFLAGS
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
