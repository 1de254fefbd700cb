// The cost figures folded, summed, shown and limited, all driven by the table.
#include "cost/CostFigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavrix::cost {

Cost& Cost::operator+=(const Cost& other) {
  for (const Figure& figure : kFigures) this->*figure.value += other.*figure.value;
  return *this;
}

double Shown(const Figure& figure, const Cost& cost) { return cost.*figure.value / figure.scale; }

std::string ShownNumber(const Figure& figure, const Cost& cost) {
  char text[64];
  std::snprintf(text, sizeof text, figure.format, Shown(figure, cost));
  return text;
}

std::string ShownText(const Figure& figure, const Cost& cost) {
  const std::string number = ShownNumber(figure, cost);
  return *figure.unit ? number + " " + figure.unit : number;
}

std::string Heading(const Figure& figure) {
  const std::string unit = figure.unit;
  if (unit.empty() || unit[0] == '/') return figure.key + unit;
  return figure.key + (" " + unit);
}

bool CostLimits::Exceeded(size_t figure, const Cost& cost) const {
  return shown[figure] > 0 && Shown(kFigures[figure], cost) > shown[figure];
}

bool ParseLimit(const std::string& text, CostLimits& limits, std::string& error) {
  const size_t equals = text.find('=');
  const std::string key = text.substr(0, equals);
  const auto figure = std::find_if(std::begin(kFigures), std::end(kFigures),
                                   [&](const Figure& f) { return key == f.key; });
  const char* number = equals == std::string::npos ? "" : text.c_str() + equals + 1;
  char* end = nullptr;
  const double value = std::strtod(number, &end);
  if (figure == std::end(kFigures) || end == number || *end != '\0' || !(value >= 0) ||
      !std::isfinite(value)) {
    error = "--limit: expected KEY=VALUE with KEY one of";
    for (const Figure& f : kFigures) error += std::string(" ") + f.key;
    error += " and VALUE a number of at least 0 (in the shown unit), got " + text;
    return false;
  }
  limits.shown[size_t(figure - std::begin(kFigures))] = value;
  return true;
}

void CostFold::Add(const Cost& frame) {
  sum_ += frame;
  for (const Figure& figure : kFigures)
    peak_.*figure.value = std::max(peak_.*figure.value, frame.*figure.value);
  ++frames_;
}

Cost CostFold::Result() const {
  Cost result;
  for (const Figure& figure : kFigures)
    result.*figure.value = figure.fold == Fold::Peak ? peak_.*figure.value
                           : frames_ > 0             ? sum_.*figure.value / double(frames_)
                                                     : 0.0;
  return result;
}

}  // namespace tavrix::cost
