// The overlay's cost figures: a table per shown effect, its total and each
// emitter, a figure past the artist's limit in the warning colour, and the
// limits themselves to edit. The figures and limits are the cost unit's.
#pragma once

#include <imgui.h>

#include "cost/EffectCost.h"

namespace tavrix::viewer {

// Failures and figures past their limits.
inline const ImVec4 kWarningColour(1.0f, 0.35f, 0.3f, 1.0f);

// In a panel of a set width (scrolls), the table scrolls sideways rather
// than squeezing its figures.
void CostTable(const char* id, const cost::EffectCost& cost, const cost::CostLimits& limits,
               bool scrolls);
void CostLimitsUi(cost::CostLimits& limits);

}  // namespace tavrix::viewer
