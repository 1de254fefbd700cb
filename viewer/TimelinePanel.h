// The timeline panel: every shown effect's duration and end mode as a bar on
// one time axis, a cursor to drag to any moment (snapped to frames), the
// frame buttons and the play range. Shown with the editor and without.
#pragma once

#include <memory>

#include "Panel.h"

namespace tavrix::viewer {

std::unique_ptr<Panel> MakeTimelinePanel();

}  // namespace tavrix::viewer
