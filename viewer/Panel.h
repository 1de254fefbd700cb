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
  // Hidden panels are not drawn; one that drives the viewer (a script)
  // runs whether the overlay shows or not.
  virtual bool Hideable() const { return true; }
};

}  // namespace tavrix::viewer
