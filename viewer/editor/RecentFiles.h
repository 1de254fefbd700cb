// The files the editor opened or saved last, newest first, kept as one path
// a line in a small file of the user's configuration folder.
#pragma once

#include <string>
#include <vector>

namespace tavrix::viewer::editor {

class RecentFiles {
 public:
  // A list file that cannot be read is an empty list.
  explicit RecentFiles(std::string listPath);

  const std::vector<std::string>& Paths() const { return paths_; }
  // Moves the path to the front and writes the list; false when it could
  // not be written (the list in memory is still changed).
  bool Add(const std::string& path);

  static constexpr size_t MaximumEntries = 10;

 private:
  std::string listPath_;
  std::vector<std::string> paths_;
};

// $XDG_CONFIG_HOME/tavrix/recent-effects, else ~/.config/tavrix/...; empty
// when neither is set.
std::string DefaultRecentListPath();

}  // namespace tavrix::viewer::editor
