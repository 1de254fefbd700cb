#include "RecentFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "common/AtomicFile.h"

namespace tavrix::viewer::editor {

RecentFiles::RecentFiles(std::string listPath) : listPath_(std::move(listPath)) {
  std::ifstream in(listPath_);
  std::string line;
  while (paths_.size() < MaximumEntries && std::getline(in, line))
    if (!line.empty() && std::find(paths_.begin(), paths_.end(), line) == paths_.end())
      paths_.push_back(line);
}

bool RecentFiles::Add(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > MaximumEntries) paths_.resize(MaximumEntries);
  if (listPath_.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(listPath_).parent_path(), error);
  // Written whole or not at all: two viewers saving at once, or one killed
  // mid-write, never leave a cut list.
  std::string text;
  for (const std::string& entry : paths_) text += entry + '\n';
  std::string failure;
  return tools::WriteFileAtomically(listPath_, text.data(), text.size(), failure);
}

std::string DefaultRecentListPath() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/tavrix/recent-effects";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.config/tavrix/recent-effects";
  return {};
}

}  // namespace tavrix::viewer::editor
