// What the viewer's controls set and what its frame loop measures; panels
// read and change these.
#pragma once

#include <cstdint>

namespace tavrix::viewer {

struct PlayControls {
  bool paused = false;
  float timeScale = 1.0f;
  bool replay = true;
  uint32_t prewarmMs = 0;
  bool moveLiveParticles = false;
};

struct ViewSettings {
  uint32_t background = 0xFF000000u;  // A8R8G8B8
  bool checkerboard = false;
  float zoom = 1.0f;
  bool overlay = true;
};

struct FrameStats {
  uint32_t quads = 0;
  double updateMs = 0, drawMs = 0;
  int64_t frame = 0;
};

}  // namespace tavrix::viewer
