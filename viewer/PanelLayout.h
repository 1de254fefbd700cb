// Where each of the viewer's panels first opens (the user moves them after):
// all in one table, so that a new panel is placed beside the others by
// reading one list.
#pragma once

namespace tavrix::viewer {

enum class PanelPlace { Overlay, File, Effect, Emitters, Curve, Texture, Timeline };

// Sets the next ImGui window's first position, and its first size when the
// table gives one.
void PlaceNextPanel(PanelPlace place);

}  // namespace tavrix::viewer
