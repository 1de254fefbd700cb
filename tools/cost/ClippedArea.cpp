// The quad clipped edge by edge against the view's four sides, then the
// area of what is left by the shoelace formula.
#include "cost/ClippedArea.h"

#include <cmath>

namespace tavrix::cost {
namespace {

struct Point {
  double x, y;
};

// A convex quad cut by the four sides keeps at most eight corners; a folded
// one may cross a side more often, and room for twice that is kept.
constexpr int kMaxCorners = 16;

struct Polygon {
  Point corners[kMaxCorners];
  int count = 0;
};

// The part of the polygon where inside(p) >= 0; inside is linear in p.
template <class Inside>
Polygon Cut(const Polygon& polygon, Inside inside) {
  Polygon kept;
  for (int i = 0; i < polygon.count; ++i) {
    const Point a = polygon.corners[i], b = polygon.corners[(i + 1) % polygon.count];
    const double da = inside(a), db = inside(b);
    if (da >= 0 && kept.count < kMaxCorners) kept.corners[kept.count++] = a;
    if ((da >= 0) != (db >= 0) && kept.count < kMaxCorners) {
      const double t = da / (da - db);
      kept.corners[kept.count++] = {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
    }
  }
  return kept;
}

}  // namespace

double ClippedArea(const QuadPoint quad[4], float x, float y, const ViewArea& view) {
  Polygon polygon;
  for (int i = 0; i < 4; ++i) {
    const Point p{double(quad[i].x) + x, double(quad[i].y) + y};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return 0;
    polygon.corners[polygon.count++] = p;
  }
  polygon = Cut(polygon, [&](Point p) { return p.x - view.left; });
  polygon = Cut(polygon, [&](Point p) { return view.right - p.x; });
  polygon = Cut(polygon, [&](Point p) { return p.y - view.top; });
  polygon = Cut(polygon, [&](Point p) { return view.bottom - p.y; });
  double twice = 0;
  for (int i = 0; i < polygon.count; ++i) {
    const Point a = polygon.corners[i], b = polygon.corners[(i + 1) % polygon.count];
    twice += a.x * b.y - b.x * a.y;
  }
  return std::fabs(twice) * 0.5;
}

}  // namespace tavrix::cost
