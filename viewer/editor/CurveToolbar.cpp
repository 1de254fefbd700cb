#include "CurveToolbar.h"

#include <imgui.h>

#include "CurveCanvas.h"
#include "edit/CurvePresets.h"
#include "edit/TrackCatalog.h"

namespace tavrix::viewer::editor {

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
    if (&action != kActions) ImGui::SameLine();
    if (ImGui::SmallButton(action.label))
      action.paste ? tools.Paste(session, action.wholeCurve)
                   : tools.Copy(session, action.wholeCurve);
  }
  ImGui::SameLine();
  ImGui::PushItemWidth(60);
  ImGui::InputFloat("snap time", &tools.grid.time, 0, 0, "%g");
  ImGui::SameLine();
  ImGui::InputFloat("snap value (0: free)", &tools.grid.value, 0, 0, "%g");
  ImGui::PopItemWidth();
}

void DrawPresets(EditorSession& session, CurveTools& tools) {
  ImGui::PushItemWidth(60);
  ImGui::InputFloat("from", &tools.presetLow, 0, 0, "%g");
  ImGui::SameLine();
  ImGui::InputFloat("to", &tools.presetHigh, 0, 0, "%g");
  ImGui::PopItemWidth();
  for (const edit::CurvePreset& preset : edit::CurvePresets()) {
    ImGui::SameLine();
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
