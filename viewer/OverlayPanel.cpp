#include "OverlayPanel.h"

#include <imgui.h>

#include <string>

#include "CostLines.h"
#include "PanelLayout.h"
#include "Viewer.h"
#include "record/FieldTable.h"

namespace tavrix::viewer {
namespace {

void FrameFigures(const Viewer& viewer) {
  const FrameStats& stats = viewer.Stats();
  ImGui::Text("%.0f fps   frame %lld", ImGui::GetIO().Framerate,
              static_cast<long long>(stats.frame));
  ImGui::Text("%u quads   update %.3f ms   draw %.3f ms", stats.quads, stats.updateMs,
              stats.drawMs);
}

void ViewControlsUi(Viewer& viewer) {
  ViewSettings& settings = viewer.Settings();
  ImGui::Checkbox("checkerboard", &settings.checkerboard);
  ImGui::SameLine();
  float colour[3] = {float((settings.background >> 16) & 255) / 255.0f,
                     float((settings.background >> 8) & 255) / 255.0f,
                     float(settings.background & 255) / 255.0f};
  if (ImGui::ColorEdit3("background", colour, ImGuiColorEditFlags_NoInputs))
    settings.background = 0xFF000000u | uint32_t(colour[0] * 255.0f + 0.5f) << 16 |
                          uint32_t(colour[1] * 255.0f + 0.5f) << 8 |
                          uint32_t(colour[2] * 255.0f + 0.5f);
  ImGui::SliderFloat("zoom", &settings.zoom, 0.125f, 16.0f, "%.2f", ImGuiSliderFlags_Logarithmic);
}

void PlayControlsUi(Viewer& viewer) {
  PlayControls& controls = viewer.Controls();
  ImGui::Text("%s at %.2fx   replay %s", controls.paused ? "paused" : "playing",
              double(controls.timeScale), controls.replay ? "on" : "off");
  if (!ImGui::CollapsingHeader("controls")) return;
  ImGui::Checkbox("pause", &controls.paused);
  ImGui::SameLine();
  if (ImGui::Button("step")) viewer.Perform(Action::Step);
  ImGui::SameLine();
  if (ImGui::Button("restart")) viewer.Perform(Action::Restart);
  ImGui::SameLine();
  ImGui::Checkbox("replay at the end", &controls.replay);
  ImGui::SliderFloat("time scale", &controls.timeScale, 0.0f, 4.0f, "%.2f");
  int prewarm = int(controls.prewarmMs);
  if (ImGui::InputInt("prewarm ms", &prewarm, 100, 1000))
    controls.prewarmMs = uint32_t(prewarm < 0 ? 0 : prewarm);
  ImGui::Checkbox("dragging moves live particles", &controls.moveLiveParticles);
  ViewControlsUi(viewer);
}

void EffectLines(Viewer& viewer, bool sized) {
  for (const ShownEffect& effect : viewer.Effects()) {
    ImGui::Separator();
    if (effect.Id() < 0)
      ImGui::Text("%s (not loaded)", effect.Name().c_str());
    else
      ImGui::Text("%s (effect %d)", effect.Name().c_str(), effect.Id());
    if (effect.Id() >= 0) {
      const std::string end = record::NumberedChoice(record::EndModes, effect.EndMode(),
                                                     &record::Choice::label, " unknown");
      ImGui::Text("  %.2f s of %.2f s, end mode %s", double(effect.PlayMs()) / 1000.0,
                  double(effect.DurationSeconds()), end.c_str());
      const std::string table = "cost " + std::to_string(effect.Id());
      CostTable(table.c_str(), viewer.Meter().CostOf(effect.Id(), viewer.VisibleArea()),
                viewer.Limits(), sized);
    }
    if (effect.Error().empty()) continue;
    ImGui::PushStyleColor(ImGuiCol_Text, kWarningColour);
    ImGui::PushTextWrapPos(ImGui::GetFontSize() * 24.0f);
    ImGui::TextUnformatted(effect.Error().c_str());
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
  }
}

void KeyList() {
  if (!ImGui::CollapsingHeader("keys")) return;
  for (const KeyBinding& binding : kKeyBindings)
    ImGui::BulletText("%-12s %s", binding.keys, binding.what);
  ImGui::BulletText("drag: move the nearest effect; wheel: zoom");
}

}  // namespace

void OverlayPanel::Draw(Viewer& viewer) {
  // Beside the editor's panels it keeps its place and scrolls.
  const bool sized =
      PlaceNextPanel(viewer.Editing() ? PanelPlace::EditorOverlay : PanelPlace::Overlay);
  ImGui::SetNextWindowBgAlpha(0.75f);
  ImGui::Begin("tavrix-view", nullptr, sized ? 0 : ImGuiWindowFlags_AlwaysAutoResize);
  FrameFigures(viewer);
  PlayControlsUi(viewer);
  CostLimitsUi(viewer.Limits());
  EffectLines(viewer, sized);
  KeyList();
  ImGui::End();
}

}  // namespace tavrix::viewer
