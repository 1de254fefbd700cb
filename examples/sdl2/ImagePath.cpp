#include "ImagePath.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace tavrix::sdl2 {
namespace {

namespace fs = std::filesystem;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

// The parts between backslashes or slashes; false for a part that climbs
// out or a path that starts at the file system's root.
bool SplitParts(const std::string& path, std::vector<std::string>& parts) {
  if (path.empty() || path[0] == '\\' || path[0] == '/' || path.find(':') != std::string::npos)
    return false;
  std::string part;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\' && path[i] != '/') {
      part += path[i];
      continue;
    }
    if (part == "..") return false;
    if (!part.empty() && part != ".") parts.push_back(part);
    part.clear();
  }
  return !parts.empty();
}

// The entry of folder named part, exactly or else ignoring case.
fs::path FindEntry(const fs::path& folder, const std::string& part) {
  std::error_code error;
  if (fs::exists(folder / part, error)) return folder / part;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (EqualIgnoringCase(it->path().filename().string(), part)) return it->path();
  return {};
}

}  // namespace

std::string ResolveImagePath(const std::string& root, const std::string& libraryPath) {
  std::vector<std::string> parts;
  if (!SplitParts(libraryPath, parts)) return {};
  fs::path path = root.empty() ? fs::path(".") : fs::path(root);
  for (const std::string& part : parts) {
    path = FindEntry(path, part);
    if (path.empty()) return {};
  }
  std::error_code error;
  return fs::is_regular_file(path, error) ? path.string() : std::string();
}

}  // namespace tavrix::sdl2
