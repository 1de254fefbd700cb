// A fresh temporary directory for a test, removed with everything in it when
// the test ends.
#pragma once

#include <string>

namespace tavrix::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of name inside the directory.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes bytes to name (creating subdirectories), returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);

}  // namespace tavrix::test
