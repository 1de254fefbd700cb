// GetModuleFileNameA in WebAssembly: the module has no file of its own, so it
// stands at a fixed place in the virtual file system, and a host that wants
// settings writes Particle.ini beside it, into /tavrix/.
#include <cstring>

#include "platform/Win32.h"

namespace {

constexpr char kModulePath[] = "/tavrix/tavrix.wasm";

}  // namespace

DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size) {
  if (module != nullptr || !fileName || size == 0) return 0;
  const DWORD length = sizeof kModulePath - 1;
  const DWORD copied = length < size ? length : size - 1;
  std::memcpy(fileName, kModulePath, copied);
  fileName[copied] = 0;
  return length < size ? copied : size;
}
