#include "CurveToolbar.h"

#include <imgui.h>

#include "CurveCanvas.h"
#include "edit/CurvePresets.h"
#include "edit/TrackCatalog.h"

namespace tavrix::viewer::editor {
namespace {

constexpr float kNumberWidth = 60;

// Keeps the next item on the line when it fits there, so that a row of
// tools wraps in a narrow panel rather than running out of sight.
void SameLineIfFits(float width) {
  const float right = ImGui::GetWindowPos().x + ImGui::GetWindowContentRegionMax().x;
  if (ImGui::GetItemRectMax().x + ImGui::GetStyle().ItemSpacing.x + width <= right)
    ImGui::SameLine();
}

float ButtonWidth(const char* label) {
  return ImGui::CalcTextSize(label).x + 2 * ImGui::GetStyle().FramePadding.x;
}

// A number typed in place, its label after it.
float NumberWidth(const char* label) {
  return kNumberWidth + ImGui::GetStyle().ItemInnerSpacing.x + ImGui::CalcTextSize(label).x;
}

}  // namespace

void DrawClipboardAndGrid(EditorSession& session, CurveTools& tools) {
  struct Action {
    const char* label;
    bool paste, wholeCurve;
  };
  static constexpr Action kActions[] = {{"copy keys", false, false},
                                        {"copy curve", false, true},
                                        {"paste keys", true, false},
                                        {"paste curve", true, true}};
  for (const Action& action : kActions) {
    if (&action != kActions) SameLineIfFits(ButtonWidth(action.label));
    if (ImGui::SmallButton(action.label))
      action.paste ? tools.Paste(session, action.wholeCurve)
                   : tools.Copy(session, action.wholeCurve);
  }
  ImGui::PushItemWidth(kNumberWidth);
  SameLineIfFits(NumberWidth("snap time"));
  ImGui::InputFloat("snap time", &tools.grid.time, 0, 0, "%g");
  SameLineIfFits(NumberWidth("snap value (0: free)"));
  ImGui::InputFloat("snap value (0: free)", &tools.grid.value, 0, 0, "%g");
  ImGui::PopItemWidth();
}

void DrawPresets(EditorSession& session, CurveTools& tools) {
  ImGui::PushItemWidth(kNumberWidth);
  ImGui::InputFloat("from", &tools.presetLow, 0, 0, "%g");
  ImGui::SameLine();
  ImGui::InputFloat("to", &tools.presetHigh, 0, 0, "%g");
  ImGui::PopItemWidth();
  for (const edit::CurvePreset& preset : edit::CurvePresets()) {
    SameLineIfFits(ButtonWidth(preset.name));
    if (ImGui::SmallButton(preset.name)) tools.ApplyPreset(session, preset.name);
  }
}

void DrawOverlayList(EditorSession& session, CurveTools& tools) {
  ImGui::SetNextItemWidth(160);
  if (ImGui::BeginCombo("##overlay", "draw a track with it")) {
    for (const edit::TrackInfo& info : edit::TracksOf(edit::OwnerOf(session.track.emitter)))
      if (ImGui::Selectable(info.key)) tools.ToggleOverlay({session.track.emitter, info.key});
    ImGui::EndCombo();
  }
  for (size_t i = 0; i < tools.overlays.size(); ++i) {
    const edit::TrackRef overlay = tools.overlays[i];
    ImGui::PushID(int(i));
    ImGui::SameLine();
    ImGui::PushStyleColor(ImGuiCol_Text, OverlayColour(i));
    const bool edit = ImGui::SmallButton(overlay.key.c_str());
    ImGui::PopStyleColor();
    ImGui::SameLine();
    const bool remove = ImGui::SmallButton("x");
    ImGui::PopID();
    if (remove) {
      tools.overlays.erase(tools.overlays.begin() + long(i));
      break;
    }
    const edit::TrackRef shown = session.track;
    if (edit && session.Select(overlay)) {
      tools.overlays[i] = shown;
      break;
    }
  }
}

}  // namespace tavrix::viewer::editor
