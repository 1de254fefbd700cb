// GetModuleFileNameA for the running executable, with Windows' truncation:
// a path that does not fit is cut, still terminated, and the size returned.
#include <unistd.h>

#include <cstring>

#include "platform/Win32.h"

DWORD GetModuleFileNameA(HMODULE module, char* fileName, DWORD size) {
  if (module != nullptr || !fileName || size == 0) return 0;
  char path[4096];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length < 0) {
    fileName[0] = 0;
    return 0;
  }
  DWORD copied = static_cast<DWORD>(length) < size ? static_cast<DWORD>(length) : size - 1;
  std::memcpy(fileName, path, copied);
  fileName[copied] = 0;
  return static_cast<DWORD>(length) < size ? copied : size;
}
