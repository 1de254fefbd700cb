// A panel of the viewer: ImGui windows of its own, drawn every frame after
// the effects. The overlay is one; an editor adds its own panels beside it
// with Viewer::AddPanel.
#pragma once

namespace tavrix::viewer {

class Viewer;

class Panel {
 public:
  virtual ~Panel() = default;
  // Called between ImGui's NewFrame and Render.
  virtual void Draw(Viewer& viewer) = 0;
};

}  // namespace tavrix::viewer
