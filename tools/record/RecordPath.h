// Record paths as messages show them: "emitters[2].tracks.LifeSpin.keys[3].
// value". A track is named by its key when that names it alone in its list,
// else by its index.
#pragma once

#include <string>
#include <vector>

#include "record/RecordModel.h"

namespace tavrix::record {

std::string Child(const std::string& path, const std::string& name);
std::string Item(const std::string& path, size_t index);
// The paths of the entries of tracks, the JSON list at tracksPath.
std::vector<std::string> TrackPaths(const std::string& tracksPath, const Json& tracks);
// The key a track's name is found by: its letters in lower case, as the
// library ignores case. Empty when the entry has no text name.
std::string TrackKey(const Json& track);

}  // namespace tavrix::record
