// The overlay: frame figures (quads drawn, update and draw time, frames per
// second), the play controls, the cost limits, and for each shown effect its
// play time, its end mode, what it and each emitter cost, and the failure of
// its last load, by name.
#pragma once

#include "Panel.h"

namespace tavrix::viewer {

class OverlayPanel final : public Panel {
 public:
  void Draw(Viewer& viewer) override;
};

}  // namespace tavrix::viewer
