// Noticing that files changed on disk by polling their modification times
// and sizes, no file-system notification needed: a host looks a few times a
// second. A change counts once the file has held still for one look, so a
// file caught half written is not taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::sdl2 {

// A file's modification time and size: a change of either is an edit.
struct FileStamp {
  int64_t modified = 0;
  int64_t size = -1;
  bool operator==(const FileStamp& other) const {
    return modified == other.modified && size == other.size;
  }
  bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

FileStamp StampOf(const std::string& path);

class FileWatch {
 public:
  // Watches these files from now on, taking them as they are now.
  void Watch(const std::vector<std::string>& files);
  // Also watches these, as they are now.
  void Add(const std::vector<std::string>& files);
  // The first file that changed and then held still for one look, or an
  // empty text. Watch again once the change is taken in.
  std::string Changed();

 private:
  std::vector<std::string> files_;
  std::vector<FileStamp> taken_, seen_;
};

}  // namespace tavrix::sdl2
