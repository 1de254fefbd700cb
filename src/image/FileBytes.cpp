// Reading an image file whole, through the platform's path resolution.
#include "image/FileBytes.h"

#include <cstdio>
#include <cstdlib>

#include "image/ImageLimits.h"
#include "platform/FileAccess.h"

namespace tavrix {
FileBytes::~FileBytes() { std::free(bytes_); }

bool FileBytes::Read(const char* path) {
  std::free(bytes_);
  bytes_ = nullptr;
  size_ = 0;
  std::FILE* file = path ? OpenFile(path, "rb") : nullptr;
  if (!file) return false;
  const long length = FileLength(file);
  bool read = false;
  if (length >= 0 && static_cast<uint64_t>(length) <= kMaxImageFileBytes) {
    const size_t size = static_cast<size_t>(length);
    bytes_ = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    read = bytes_ && std::fread(bytes_, 1, size, file) == size;
    size_ = read ? size : 0;
  }
  std::fclose(file);
  return read;
}

}  // namespace tavrix
