#include "PanelLayout.h"

#include <imgui.h>

namespace tavrix::viewer {
namespace {

// Pixels from the window's top left. A negative x or y counts from the right
// or bottom edge (the panel's right or bottom side there), a negative width
// or height stops that far short of the right or bottom; a zero size leaves
// the panel's own.
struct Placement {
  PanelPlace place;
  float x, y, width, height;
};

// The viewer alone: the overlay top left, the timeline across the bottom,
// each as large as it needs. With the editor, three columns over the
// timeline: the overlay and the curve editor on the left, the file and
// texture panels at the top of the middle, the effect and its emitters on
// the right; each scrolls what does not fit.
constexpr float kMargin = 8, kLeft = 520, kRight = 360, kTop = 282, kTimeline = 100;
constexpr float kMiddle = 2 * kMargin + kLeft, kBelowTop = 2 * kMargin + kTop,
                kAboveTimeline = kBelowTop + 3 * kMargin + kTimeline;
constexpr Placement kPlacements[] = {
    {PanelPlace::Overlay, kMargin, kMargin, 0, 0},
    {PanelPlace::Timeline, kMargin, -kMargin, -2 * kMargin, 0},
    {PanelPlace::EditorOverlay, kMargin, kMargin, kLeft, kTop},
    {PanelPlace::Curve, kMargin, kBelowTop, kLeft, -kAboveTimeline},
    {PanelPlace::File, kMiddle, kMargin, kEditorWidth - kMiddle - kRight - 2 * kMargin, 84},
    {PanelPlace::Texture, kMiddle, 100, kEditorWidth - kMiddle - kRight - 2 * kMargin, 0},
    {PanelPlace::Effect, -kMargin, kMargin, kRight, kTop},
    {PanelPlace::Emitters, -kMargin, kBelowTop, kRight, -kAboveTimeline},
    {PanelPlace::EditorTimeline, kMargin, -kMargin, -2 * kMargin, kTimeline},
};

}  // namespace

bool PlaceNextPanel(PanelPlace place) {
  for (const Placement& p : kPlacements) {
    if (p.place != place) continue;
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const bool fromRight = p.x < 0, fromBottom = p.y < 0;
    ImGui::SetNextWindowPos(
        ImVec2(fromRight ? display.x + p.x : p.x, fromBottom ? display.y + p.y : p.y),
        ImGuiCond_FirstUseEver, ImVec2(fromRight ? 1.0f : 0.0f, fromBottom ? 1.0f : 0.0f));
    if (p.width != 0)
      ImGui::SetNextWindowSize(ImVec2(p.width < 0 ? display.x + p.width : p.width,
                                      p.height < 0 ? display.y + p.height : p.height),
                               ImGuiCond_FirstUseEver);
    return p.width != 0 && p.height != 0;
  }
  return false;
}

FreeBand FreeMiddle(float width, bool editing) {
  const float left = kMiddle, right = width - kRight - 2 * kMargin;
  if (!editing || right <= left) return {0, width};
  return {left, right};
}

}  // namespace tavrix::viewer
