// What an effect costs, figure by figure, in one table: the overlay's rows,
// bench's columns and the limits an artist sets past which a figure shows
// as a warning all read it, so a figure is added in one place.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>

namespace tavrix::cost {

struct Cost {
  double live = 0;  // particles
  double spawnedPerSecond = 0;
  double quads = 0;  // drawn in the frame
  double updateMs = 0, drawMs = 0;
  double overdraw = 0;  // the quads' area inside the view, in views
  double bytes = 0;     // the particle storage the emitters hold
  Cost& operator+=(const Cost& other);
};

// How the frames of a play fold into one figure.
enum class Fold { Mean, Peak };

struct Figure {
  const char* key;     // --limit KEY=VALUE and bench's column
  const char* unit;    // after the shown value
  const char* format;  // printf of the shown value
  double scale;        // shown value = value / scale
  double Cost::*value;
  Fold fold;
};

inline constexpr Figure kFigures[] = {
    {"live", "", "%.0f", 1, &Cost::live, Fold::Mean},
    {"spawned", "/s", "%.1f", 1, &Cost::spawnedPerSecond, Fold::Mean},
    {"quads", "", "%.0f", 1, &Cost::quads, Fold::Mean},
    {"update", "ms", "%.3f", 1, &Cost::updateMs, Fold::Mean},
    {"draw", "ms", "%.3f", 1, &Cost::drawMs, Fold::Mean},
    {"overdraw", "x", "%.2f", 1, &Cost::overdraw, Fold::Mean},
    // Storage only grows while an effect lives: what it holds is its peak.
    {"memory", "KiB", "%.1f", 1024, &Cost::bytes, Fold::Peak},
};
inline constexpr size_t kFigureCount = std::size(kFigures);

double Shown(const Figure& figure, const Cost& cost);
// The shown value formatted: "12.5".
std::string ShownNumber(const Figure& figure, const Cost& cost);
// With its unit: "12.5 KiB".
std::string ShownText(const Figure& figure, const Cost& cost);
// The figure's name with its unit, for a column: "memory KiB", "spawned/s".
std::string Heading(const Figure& figure);

// Limits in shown units, one per figure; 0 sets none.
struct CostLimits {
  double shown[kFigureCount] = {};
  bool Exceeded(size_t figure, const Cost& cost) const;
};

// Takes "KEY=VALUE" (a figure's key, a number of at least 0) into limits;
// otherwise false and a message naming the keys.
bool ParseLimit(const std::string& text, CostLimits& limits, std::string& error);

// The frames of a play folded figure by figure, as the table says.
class CostFold {
 public:
  void Add(const Cost& frame);
  Cost Result() const;

 private:
  Cost sum_, peak_;
  long frames_ = 0;
};

}  // namespace tavrix::cost
