// Record paths as messages show them: "emitters[2].tracks.LifeSpin.keys[3].
// value". A track is named by its key when that names it alone in its list,
// else by its index.
#pragma once

#include <string>

#include "record/RecordModel.h"

namespace tavrix::record {

std::string Child(const std::string& path, const std::string& name);
std::string Item(const std::string& path, size_t index);
// The path of tracks[index], tracks being the JSON list at tracksPath.
std::string TrackPath(const std::string& tracksPath, const Json& tracks, size_t index);

}  // namespace tavrix::record
