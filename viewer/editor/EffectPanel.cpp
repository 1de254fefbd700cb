#include <imgui.h>

#include "EditorPanels.h"
#include "FieldWidgets.h"

namespace tavrix::viewer::editor {

void EffectPanel::Draw(Viewer&) {
  ImGui::SetNextWindowPos(ImVec2(8, 190), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(ImVec2(320, 280), ImGuiCond_FirstUseEver);
  ImGui::Begin("Effect");
  FieldGroups(*session_, -1);
  TrackList(*session_, -1);
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
