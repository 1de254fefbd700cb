#include "record/RecordPath.h"

#include <strings.h>

#include <cctype>

namespace tavrix::record {
namespace {

bool IsPlainName(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  return true;
}

const std::string* NameOf(const Json& track) {
  if (!track.is_object()) return nullptr;
  auto name = track.find("name");
  return name != track.end() && name->is_string() ? name->get_ptr<const std::string*>() : nullptr;
}

}  // namespace

std::string Child(const std::string& path, const std::string& name) {
  return path.empty() ? name : path + "." + name;
}

std::string Item(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

// Keys match without regard to letter case, as the library finds them.
std::string TrackPath(const std::string& tracksPath, const Json& tracks, size_t index) {
  const std::string* name = NameOf(tracks[index]);
  if (!name || !IsPlainName(*name)) return Item(tracksPath, index);
  for (size_t i = 0; i < tracks.size(); ++i) {
    const std::string* other = NameOf(tracks[i]);
    if (i != index && other && strcasecmp(other->c_str(), name->c_str()) == 0)
      return Item(tracksPath, index);
  }
  return Child(tracksPath, *name);
}

}  // namespace tavrix::record
