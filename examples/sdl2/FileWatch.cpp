#include "FileWatch.h"

#include <filesystem>

namespace tavrix::sdl2 {

FileStamp StampOf(const std::string& path) {
  std::error_code error;
  const auto modified = std::filesystem::last_write_time(path, error);
  if (error) return {};
  const auto size = std::filesystem::file_size(path, error);
  return {int64_t(modified.time_since_epoch().count()), error ? -1 : int64_t(size)};
}

void FileWatch::Watch(const std::vector<std::string>& files) {
  files_.clear();
  taken_.clear();
  seen_.clear();
  Add(files);
}

void FileWatch::Add(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    files_.push_back(file);
    taken_.push_back(StampOf(file));
    seen_.push_back(taken_.back());
  }
}

std::string FileWatch::Changed() {
  std::string changed;
  for (size_t i = 0; i < files_.size(); ++i) {
    const FileStamp now = StampOf(files_[i]);
    if (changed.empty() && now == seen_[i] && now != taken_[i]) changed = files_[i];
    seen_[i] = now;
  }
  return changed;
}

}  // namespace tavrix::sdl2
