// Where each of the viewer's panels first opens (the user moves them after):
// all in one table, so that a new panel is placed beside the others by
// reading one list. The viewer alone keeps its two panels small; with the
// editor every panel has its own part of the window, none over another at
// 1280x800, the middle left free for the effect.
#pragma once

namespace tavrix::viewer {

enum class PanelPlace {
  Overlay,
  Timeline,
  EditorOverlay,
  EditorTimeline,
  File,
  Effect,
  Emitters,
  Curve,
  Texture
};

// The editor's window size when none is given.
inline constexpr int kEditorWidth = 1280, kEditorHeight = 800;

// The columns of the window the panels leave free, where the effects are
// placed.
struct FreeBand {
  float left, right;
};
FreeBand FreeMiddle(float width, bool editing);

// Sets the next ImGui window's first position, and its first size when the
// table gives one; true when it gives a size.
bool PlaceNextPanel(PanelPlace place);

}  // namespace tavrix::viewer
