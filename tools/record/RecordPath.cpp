#include "record/RecordPath.h"

#include <cctype>
#include <map>

namespace tavrix::record {
namespace {

bool IsPlainName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}

}  // namespace

std::string Child(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "." + name;
}

std::string Item(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

std::string TrackKey(const Json& track) {
  if (!track.is_object()) return "";
  auto name = track.find("name");
  if (name == track.end() || !name->is_string()) return "";
  std::string key = name->get<std::string>();
  for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

std::vector<std::string> TrackPaths(const std::string& tracksPath, const Json& tracks) {
  std::map<std::string, size_t> uses;
  for (const Json& track : tracks) uses[TrackKey(track)] += 1;
  std::vector<std::string> paths;
  paths.reserve(tracks.size());
  for (size_t t = 0; t < tracks.size(); ++t) {
    const std::string key = TrackKey(tracks[t]);
    const bool alone = !key.empty() && uses[key] == 1 && IsPlainName(key);
    paths.push_back(alone ? Child(tracksPath, tracks[t]["name"].get<std::string>())
                          : Item(tracksPath, t));
  }
  return paths;
}

}  // namespace tavrix::record
