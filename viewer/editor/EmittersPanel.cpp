#include <imgui.h>

#include <string>

#include "EditorPanels.h"
#include "FieldWidgets.h"
#include "PanelLayout.h"
#include "edit/EmitterEdits.h"
#include "edit/RecordAccess.h"

namespace tavrix::viewer::editor {
namespace {

bool Enabled(const edit::Json& emitter) {
  return edit::FlagOf(emitter.value("enabled", edit::Json(1)));
}

}  // namespace

void EmittersPanel::ListAndButtons() {
  EditorSession& session = *session_;
  const int count = int(edit::Emitters(session.Record()).size());
  ImGui::BeginChild(
      "list", ImVec2(0, ImGui::GetTextLineHeightWithSpacing() * float(count < 6 ? count + 1 : 7)),
      true);
  for (int i = 0; i < count; ++i) {
    const edit::Json& emitter = edit::EmitterAt(session.Record(), i);
    const std::string label = edit::EmitterLabel(session.Record(), i) +
                              (edit::IsSubEffect(emitter) ? "  (nested effect)" : "") +
                              (Enabled(emitter) ? "" : "  (off)") + "##" + std::to_string(i);
    if (ImGui::Selectable(label.c_str(), session.emitter == i)) session.emitter = i;
  }
  ImGui::EndChild();
  const int selected = session.emitter;
  // Each button one edit; the selection follows the emitter it made or moved.
  if (ImGui::Button("Add") && session.Apply(edit::AddEmitter(edit::EmitterKind::Particles)))
    session.emitter = count;
  ImGui::SameLine();
  if (ImGui::Button("Add nested effect") &&
      session.Apply(edit::AddEmitter(edit::EmitterKind::SubEffect)))
    session.emitter = count;
  ImGui::SameLine();
  if (ImGui::Button("Duplicate") && session.Apply(edit::DuplicateEmitter(selected)))
    session.emitter = selected + 1;
  ImGui::SameLine();
  if (ImGui::Button("Delete")) session.Apply(edit::DeleteEmitter(selected));
  ImGui::SameLine();
  if (ImGui::ArrowButton("up", ImGuiDir_Up) && selected > 0 &&
      session.Apply(edit::MoveEmitter(selected, selected - 1)))
    session.emitter = selected - 1;
  ImGui::SameLine();
  if (ImGui::ArrowButton("down", ImGuiDir_Down) && selected + 1 < count &&
      session.Apply(edit::MoveEmitter(selected, selected + 1)))
    session.emitter = selected + 1;
  ImGui::TextDisabled("drawn from the last to the first");
}

void EmittersPanel::Draw(Viewer&) {
  PlaceNextPanel(PanelPlace::Emitters);
  ImGui::Begin("Emitters");
  ListAndButtons();
  ImGui::Separator();
  const int emitter = session_->emitter;
  if (size_t(emitter) >= edit::Emitters(session_->Record()).size()) {
    // The library plays an effect without emitters; there is nothing to show.
    ImGui::TextDisabled("The effect has no emitters.");
    ImGui::End();
    return;
  }
  ImGui::PushID(emitter);
  FieldGroups(*session_, emitter);
  if (!edit::IsSubEffect(edit::EmitterAt(session_->Record(), emitter)))
    TrackList(*session_, emitter);
  ImGui::PopID();
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
