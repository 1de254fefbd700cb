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

// The overlay top left, the editor's effect and curve panels below it, the
// file and texture panels beside them, the emitters along the right edge,
// the timeline across the bottom.
constexpr Placement kPlacements[] = {
    {PanelPlace::Overlay, 8, 8, 0, 0},      {PanelPlace::File, 340, 8, 460, 84},
    {PanelPlace::Effect, 8, 190, 320, 280}, {PanelPlace::Emitters, -8, 8, 360, -16},
    {PanelPlace::Curve, 8, 470, 560, 322},  {PanelPlace::Texture, 340, 100, 0, 0},
    {PanelPlace::Timeline, 8, -8, -16, 0},
};

}  // namespace

void PlaceNextPanel(PanelPlace place) {
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
    return;
  }
}

}  // namespace tavrix::viewer
