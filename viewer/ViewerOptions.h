// The viewer's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cost/CostFigures.h"

namespace tavrix::viewer {

struct ViewerOptions {
  std::vector<std::string> files;  // absolute paths
  // Each file's folder holding image/ and nested effects, absolute: --root,
  // or else the file's own.
  std::vector<std::string> roots;
  std::string startFolder;  // where screenshots taken by key go
  int32_t width = 960, height = 640;
  int32_t frames = 0;       // 0: run until closed
  int32_t stepMs = 0;       // the frame step; 0: 17, 17, 16 as a 60 Hz game
  int64_t atMs = -1;        // start paused at this moment
  std::string screenshot;   // with frames: the last frame, as PNG
  std::string reloadShots;  // prefix of a screenshot after each reload
  uint32_t background = 0xFF000000u;
  bool checkerboard = false;
  bool overlay = true;
  bool overlayInScreenshots = false;
  float zoom = 1.0f;
  float timeScale = 1.0f;
  uint32_t prewarmMs = 0;
  bool edit = false;        // the editor's panels on the first file
  std::string editScript;   // with edit: commands run one a frame
  cost::CostLimits limits;  // past these the overlay's figures warn
};

// Fills options; returns -1 to go on, or the exit code to end with (0 after
// --help, 2 for a bad command line). --help ends with scriptHelp.
int ParseViewerOptions(int argc, char** argv, ViewerOptions& options,
                       const std::string& scriptHelp);

}  // namespace tavrix::viewer
