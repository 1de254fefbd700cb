// File access for effect files, nested effect files and textures. Paths in
// effect files are written on Windows: here '\\' separates directories too,
// and when the exact path does not exist each component is matched without
// regard to letter case.
#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/Win32.h"
// windows.h maps ReplaceFile to the system's ReplaceFileA; ours is another
// function.
#undef ReplaceFile

namespace tavrix {

// fopen with the path resolved as above (for writing, the directories are
// resolved and the file name kept).
std::FILE* OpenFile(const char* path, const char* mode);

// Writes the resolved form of path into out; false when it does not fit.
bool ResolvePath(const char* path, char* out, std::size_t outSize, bool mustExist);

// Moves source over destination in one step, replacing it.
bool ReplaceFile(const char* source, const char* destination);

// The length of an open file, which is left at its start; -1 when unknown.
inline long FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(file);
  return std::fseek(file, 0, SEEK_SET) == 0 ? length : -1;
}

}  // namespace tavrix
