// File access on Windows: the file system itself takes either separator and
// ignores letter case, so paths are used as written.
#include <windows.h>

#include <cstring>

#include "platform/FileAccess.h"

namespace tavrix {

bool ResolvePath(const char* path, char* out, std::size_t outSize, bool mustExist) {
  if (!path || !out || outSize == 0 || path[0] == 0) return false;
  if (mustExist && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
  const std::size_t length = std::strlen(path);
  if (length + 1 > outSize) return false;
  std::memcpy(out, path, length + 1);
  return true;
}

std::FILE* OpenFile(const char* path, const char* mode) {
  if (!path || path[0] == 0) return nullptr;
  return std::fopen(path, mode);
}

bool ReplaceFile(const char* source, const char* destination) {
  return MoveFileExA(source, destination, MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace tavrix
