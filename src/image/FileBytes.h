// A whole image file read into heap memory, refused past the size limit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavrix {

class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // False when the file cannot be opened or read, or is larger than
  // kMaxImageFileBytes.
  bool Read(const char* path);

  const uint8_t* Data() const { return bytes_; }
  size_t Size() const { return size_; }

 private:
  uint8_t* bytes_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tavrix
