#include <imgui.h>

#include <string>

#include "CurveToolbar.h"
#include "EditorPanels.h"
#include "PanelLayout.h"
#include "edit/RecordAccess.h"
#include "edit/TrackCatalog.h"
#include "edit/TrackEdits.h"

namespace tavrix::viewer::editor {

void CurvePanel::Shape(const edit::TrackBody& body) {
  float values[5] = {body.cycles, body.duration, body.minimum, body.maximum, body.defaultValue};
  const char* const labels[5] = {"cycles", "domain", "range from", "range to", "default"};
  bool changed = false;
  ImGui::PushItemWidth(90);
  for (int i = 0; i < 5; ++i) {
    if (i % 3) ImGui::SameLine();
    changed |=
        ImGui::InputFloat(labels[i], &values[i], 0, 0, "%g", ImGuiInputTextFlags_EnterReturnsTrue);
  }
  ImGui::PopItemWidth();
  if (changed)
    session_->Apply(edit::SetTrackShape(session_->track,
                                        {values[0], values[1], values[2], values[3], values[4]}));
  ImGui::SameLine();
  if (ImGui::Button("reset")) session_->Apply(edit::ResetTrack(session_->track));
}

void CurvePanel::KeyTable(const edit::TrackBody& body) {
  if (!ImGui::CollapsingHeader("keys, typed exactly (Enter applies)")) return;
  for (int i = 0; i < int(body.keys.size()); ++i) {
    ImGui::PushID(i);
    float key[2] = {body.keys[size_t(i)].time, body.keys[size_t(i)].value};
    ImGui::SetNextItemWidth(200);
    if (ImGui::InputFloat2("time, value", key, "%g", ImGuiInputTextFlags_EnterReturnsTrue)) {
      session_->Apply(edit::MoveKey(session_->track, i, key[0], key[1]));
      session_->CloseStep();
    }
    if (i > 0) {
      ImGui::SameLine();
      if (ImGui::SmallButton("remove")) session_->Apply(edit::RemoveKey(session_->track, i));
    }
    ImGui::PopID();
  }
}

// The one selected key's time and value, typed in place (Enter applies).
void CurvePanel::SelectedKey(const edit::TrackBody& body) {
  const edit::KeySet selected = tools_->Selected(*session_);
  if (selected.size() != 1) {
    ImGui::TextDisabled("%zu keys selected", selected.size());
    return;
  }
  const int i = *selected.begin();
  float key[2] = {body.keys[size_t(i)].time, body.keys[size_t(i)].value};
  ImGui::SetNextItemWidth(200);
  if (ImGui::InputFloat2("selected key: time, value", key, "%g",
                         ImGuiInputTextFlags_EnterReturnsTrue)) {
    session_->Apply(edit::MoveKey(session_->track, i, key[0], key[1]));
    session_->CloseStep();
  }
}

void CurvePanel::Draw(Viewer&) {
  PlaceNextPanel(PanelPlace::Curve);
  ImGui::Begin("Curve");
  const edit::TrackRef& track = session_->track;
  const edit::TrackInfo* info = edit::FindTrackInfo(edit::OwnerOf(track.emitter), track.key);
  const std::string owner =
      track.emitter < 0 ? "the effect" : edit::EmitterLabel(session_->Record(), track.emitter);
  ImGui::Text("%s of %s", track.key.c_str(), owner.c_str());
  if (info) {
    ImGui::TextWrapped("%s. Unit: %s. Runs over %s.", info->description, info->unit,
                       edit::TrackTimeText(info->time));
    if (const edit::TrackInfo* spread = edit::SpreadOf(*info))
      ImGui::TextDisabled("band: plus and minus %s", spread->key);
  }
  try {
    const edit::TrackBody body = edit::TrackState(session_->Record(), track);
    canvas_.Draw(*session_, *tools_, body);
    SelectedKey(body);
    DrawClipboardAndGrid(*session_, *tools_);
    DrawPresets(*session_, *tools_);
    DrawOverlayList(*session_, *tools_);
    Shape(body);
    KeyTable(body);
  } catch (const edit::Refusal& refusal) {
    ImGui::TextWrapped("This track cannot be edited: %s", refusal.message.c_str());
  }
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
