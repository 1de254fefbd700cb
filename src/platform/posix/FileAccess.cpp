// Resolves paths written on Windows against this file system: '\\' counts as
// a separator, and a component that does not exist as written is matched
// without regard to letter case (the smallest matching name wins, so the
// answer does not depend on directory order).
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/FileAccess.h"
#include "platform/Win32.h"

namespace tavrix {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The directory entry of parent that matches name ignoring case, or empty.
std::string FindIgnoringCase(const std::string& parent, const std::string& name) {
  DIR* dir = ::opendir(parent.empty() ? "." : parent.c_str());
  if (!dir) return std::string();
  std::string best;
  while (dirent* entry = ::readdir(dir)) {
    if (_stricmp(entry->d_name, name.c_str()) == 0 && (best.empty() || best > entry->d_name))
      best = entry->d_name;
  }
  ::closedir(dir);
  return best;
}

std::string Join(const std::string& parent, const std::string& name) {
  if (parent.empty()) return name;
  if (parent.back() == '/') return parent + name;
  return parent + "/" + name;
}

// Walks the components, keeping each that exists and replacing each that
// exists only in another letter case. A missing component is kept as written.
std::string ResolveComponents(const std::string& path, bool& allFound) {
  std::string resolved = path[0] == '/' ? "/" : "";
  allFound = true;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty()) continue;
    std::string candidate = Join(resolved, name);
    if (name != "." && name != ".." && allFound && !Exists(candidate)) {
      std::string match = FindIgnoringCase(resolved, name);
      if (match.empty())
        allFound = false;
      else
        candidate = Join(resolved, match);
    }
    resolved = candidate;
  }
  return resolved;
}

}  // namespace

bool ResolvePath(const char* path, char* out, std::size_t outSize, bool mustExist) {
  if (!path || !out || outSize == 0 || path[0] == 0) return false;
  std::string normalised(path);
  for (char& c : normalised)
    if (c == '\\') c = '/';
  bool allFound = Exists(normalised);
  std::string resolved = allFound ? normalised : ResolveComponents(normalised, allFound);
  if (mustExist && !allFound) return false;
  if (resolved.size() + 1 > outSize) return false;
  std::memcpy(out, resolved.c_str(), resolved.size() + 1);
  return true;
}

std::FILE* OpenFile(const char* path, const char* mode) {
  char resolved[4096];
  bool reading = mode && mode[0] == 'r';
  if (!ResolvePath(path, resolved, sizeof resolved, reading)) return nullptr;
  // fopen opens a directory for reading here; Windows refuses, and so do we.
  struct stat info;
  if (::stat(resolved, &info) == 0 && S_ISDIR(info.st_mode)) return nullptr;
  return std::fopen(resolved, mode);
}

bool ReplaceFile(const char* source, const char* destination) {
  char from[4096], to[4096];
  if (!ResolvePath(source, from, sizeof from, true)) return false;
  if (!ResolvePath(destination, to, sizeof to, false)) return false;
  return std::rename(from, to) == 0;
}

}  // namespace tavrix
