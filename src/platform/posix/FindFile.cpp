// FindFirstFileA and FindClose, used only to test that a file exists.
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/FileAccess.h"
#include "platform/Win32.h"

HANDLE FindFirstFileA(const char* fileName, WIN32_FIND_DATAA* findData) {
  char resolved[4096];
  struct stat info;
  if (!tavrix::ResolvePath(fileName, resolved, sizeof resolved, true) ||
      ::stat(resolved, &info) != 0 || S_ISDIR(info.st_mode))
    return INVALID_HANDLE_VALUE;
  if (findData) {
    const char* base = std::strrchr(resolved, '/');
    base = base ? base + 1 : resolved;
    findData->dwFileAttributes = 0x80;  // FILE_ATTRIBUTE_NORMAL
    std::strncpy(findData->cFileName, base, MAX_PATH - 1);
    findData->cFileName[MAX_PATH - 1] = 0;
  }
  void* handle = std::malloc(1);
  return handle ? handle : INVALID_HANDLE_VALUE;
}

BOOL FindClose(HANDLE findFile) {
  if (!findFile || findFile == INVALID_HANDLE_VALUE) return FALSE;
  std::free(findFile);
  return TRUE;
}
