// One table row a total or an emitter, one column a figure of the table.
#include "CostLines.h"

#include <string>

namespace tavrix::viewer {
namespace {

void CostRow(const std::string& label, const cost::Cost& cost, const cost::CostLimits& limits) {
  ImGui::TableNextRow();
  ImGui::TableNextColumn();
  ImGui::TextUnformatted(label.c_str());
  for (size_t f = 0; f < cost::kFigureCount; ++f) {
    ImGui::TableNextColumn();
    const std::string text = cost::ShownNumber(cost::kFigures[f], cost);
    if (limits.Exceeded(f, cost))
      ImGui::TextColored(kWarningColour, "%s", text.c_str());
    else
      ImGui::TextUnformatted(text.c_str());
  }
}

}  // namespace

void CostTable(const char* id, const cost::EffectCost& cost, const cost::CostLimits& limits) {
  constexpr ImGuiTableFlags flags =
      ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg | ImGuiTableFlags_BordersInnerV;
  if (!ImGui::BeginTable(id, int(cost::kFigureCount) + 1, flags)) return;
  ImGui::TableSetupColumn("");
  for (const cost::Figure& figure : cost::kFigures)
    ImGui::TableSetupColumn(cost::Heading(figure).c_str());
  ImGui::TableHeadersRow();
  CostRow("effect", cost.total, limits);
  for (const cost::EmitterCost& emitter : cost.emitters)
    CostRow("  " + emitter.name, emitter.cost, limits);
  ImGui::EndTable();
}

void CostLimitsUi(cost::CostLimits& limits) {
  if (!ImGui::CollapsingHeader("cost limits (0: none)")) return;
  ImGui::PushItemWidth(ImGui::GetFontSize() * 8.0f);
  for (size_t f = 0; f < cost::kFigureCount; ++f) {
    double& limit = limits.shown[f];
    if (ImGui::InputDouble(cost::Heading(cost::kFigures[f]).c_str(), &limit, 0, 0, "%g") &&
        !(limit >= 0))
      limit = 0;
  }
  ImGui::PopItemWidth();
}

}  // namespace tavrix::viewer
