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

void CostTable(const char* id, const cost::EffectCost& cost, const cost::CostLimits& limits,
               bool scrolls) {
  const ImGuiTableFlags flags = ImGuiTableFlags_SizingFixedFit | ImGuiTableFlags_RowBg |
                                ImGuiTableFlags_BordersInnerV |
                                (scrolls ? ImGuiTableFlags_ScrollX : 0);
  // A scrolling table is as tall as its rows and the scroll bar.
  const ImGuiStyle& style = ImGui::GetStyle();
  const float row = ImGui::GetTextLineHeight() + 2 * style.CellPadding.y;
  const ImVec2 size(0, scrolls ? row * float(cost.emitters.size() + 2) + style.ScrollbarSize : 0);
  if (!ImGui::BeginTable(id, int(cost::kFigureCount) + 1, flags, size)) return;
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
