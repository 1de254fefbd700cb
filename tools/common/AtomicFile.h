// Writing an output so that it is never seen half-written: the bytes go to
// a temporary file of a unique name beside the destination, which takes the
// destination's place only once it is complete and on disk. A failed,
// interrupted or concurrent write leaves the old file or a whole new one,
// and no temporary file. Every file the tools write goes through here.
#pragma once

#include <cstdio>
#include <string>

namespace tavrix::tools {

class AtomicFile {
 public:
  AtomicFile() = default;
  // Discards what was not committed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // False, with a message in error, when the file cannot be created. A new
  // file gets the mode a plain fopen would give it, a replaced one keeps
  // its mode. Devices and pipes (/dev/null) are written in place.
  bool Open(const std::string& path, std::string& error);
  std::FILE* Stream() const { return stream_; }
  // Flushes, syncs and puts the file in place; false, with a message in
  // error, when any of that fails, and the temporary file is gone then.
  bool Commit(std::string& error);
  void Discard();

 private:
  bool OpenTemporary(const std::string& target, std::string& error);

  std::string path_, temporary_, target_;
  std::FILE* stream_ = nullptr;
  int slot_ = -1;
};

// The size bytes at data as the whole file at path.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string& error);

// False, with a message in error, when the folder of path is missing or
// takes no new files: checked before a long run writes anything.
bool FolderTakesFiles(const std::string& path, std::string& error);

}  // namespace tavrix::tools
