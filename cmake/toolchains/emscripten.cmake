# WebAssembly with Debian's emscripten, whose prebuilt system libraries stay
# in its frozen cache. Its optimiser needs the Debian Node.js modules, which
# a Node.js from elsewhere does not search; the build scripts set NODE_PATH.
# The processor is named for what it is: emscripten would call it x86, and
# code chosen per x86 instruction set would then be picked.
set(EMSCRIPTEN_SYSTEM_PROCESSOR wasm32)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR node)
