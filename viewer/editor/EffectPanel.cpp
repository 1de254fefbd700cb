#include <imgui.h>

#include "EditorPanels.h"
#include "FieldWidgets.h"
#include "PanelLayout.h"

namespace tavrix::viewer::editor {

void EffectPanel::Draw(Viewer&) {
  PlaceNextPanel(PanelPlace::Effect);
  ImGui::Begin("Effect");
  FieldGroups(*session_, -1);
  TrackList(*session_, -1);
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
