// One keyframe of a track: plain data, shared by the tracks and by the lane
// code that evaluates them.
#pragma once

namespace tavrix {

struct TrackKey {
  float time;
  float value;
};

}  // namespace tavrix
