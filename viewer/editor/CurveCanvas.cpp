#include "CurveCanvas.h"

#include <imgui_internal.h>

#include <cmath>
#include <iterator>
#include <vector>

#include "edit/CurvePresets.h"
#include "edit/RecordAccess.h"
#include "edit/TrackCatalog.h"
#include "edit/TrackEdits.h"
#include "record/FloatText.h"

namespace tavrix::viewer::editor {

constexpr float kCanvasHeight = 170;
constexpr float kKeyRadius = 5, kGrabRadius = 8;
// Keys on the canvas's edges are drawn and grabbed whole.
constexpr float kInset = kGrabRadius;
constexpr float kWheelZoom = 0.8f;  // the span's length after one notch in
constexpr int kCurvePoints = 160;
// Grid steps finer than this many lines across the canvas are not drawn.
constexpr float kMostGridLines = 100;
constexpr ImU32 kCurveColour = IM_COL32(255, 200, 80, 255),
                kBandColour = IM_COL32(255, 200, 80, 60), kKeyColour = IM_COL32(255, 255, 255, 255),
                kGridColour = IM_COL32(255, 255, 255, 40),
                kBoxColour = IM_COL32(120, 180, 255, 200);
constexpr ImU32 kOverlayColours[] = {IM_COL32(110, 200, 255, 255), IM_COL32(140, 255, 140, 255),
                                     IM_COL32(255, 120, 200, 255), IM_COL32(200, 160, 255, 255),
                                     IM_COL32(255, 255, 140, 255)};

ImU32 OverlayColour(size_t i) { return kOverlayColours[i % std::size(kOverlayColours)]; }

// Between the canvas's pixels and a track's time axis (the span shown) and
// range, with the plot inset from the canvas's edges.
struct CurveCanvas::Mapping {
  ImVec2 origin, size;  // of the plot
  float start, end, low, high;

  static Mapping Of(const edit::TrackBody& body, edit::TimeSpan view, ImVec2 canvas,
                    ImVec2 canvasSize) {
    const float high = body.maximum > body.minimum ? body.maximum : body.minimum + 1;
    return {ImVec2(canvas.x + kInset, canvas.y + kInset),
            ImVec2(canvasSize.x - 2 * kInset, canvasSize.y - 2 * kInset),
            view.start,
            view.end,
            body.minimum,
            high};
  }
  ImVec2 ToScreen(float time, float value) const {
    return {origin.x + (time - start) / (end - start) * size.x,
            origin.y + size.y - (value - low) / (high - low) * size.y};
  }
  edit::TrackKey FromScreen(ImVec2 at) const {
    return {start + (at.x - origin.x) / size.x * (end - start),
            low + (origin.y + size.y - at.y) / size.y * (high - low)};
  }
};

namespace {

using Mapping = CurveCanvas::Mapping;

int KeyUnder(const edit::TrackBody& body, const Mapping& map, ImVec2 at) {
  for (int i = 0; i < int(body.keys.size()); ++i) {
    const ImVec2 key = map.ToScreen(body.keys[size_t(i)].time, body.keys[size_t(i)].value);
    if (std::hypot(key.x - at.x, key.y - at.y) <= kGrabRadius) return i;
  }
  return -1;
}

float TimeAt(const Mapping& map, int i) {
  return map.start + (map.end - map.start) * float(i) / float(kCurvePoints - 1);
}

// The curve over the span shown, as the library evaluates it.
void DrawCurve(ImDrawList& draw, const Mapping& map, const edit::TrackBody& body, ImU32 colour) {
  const std::vector<float> curve = body.Curve(map.start, map.end, kCurvePoints);
  std::vector<ImVec2> points;
  for (int i = 0; i < kCurvePoints; ++i)
    points.push_back(map.ToScreen(TimeAt(map, i), curve[size_t(i)]));
  draw.AddPolyline(points.data(), int(points.size()), colour, 0, 2.0f);
}

// Base plus and minus its spread, the values a particle may be given.
void DrawBand(ImDrawList& draw, const Mapping& map, const edit::TrackBody& base,
              const edit::TrackBody& spread) {
  const std::vector<float> mid = base.Curve(map.start, map.end, kCurvePoints),
                           var = spread.Curve(map.start, map.end, kCurvePoints);
  for (int i = 0; i + 1 < kCurvePoints; ++i) {
    const size_t a = size_t(i), b = size_t(i + 1);
    draw.AddQuadFilled(map.ToScreen(TimeAt(map, i), mid[a] + var[a]),
                       map.ToScreen(TimeAt(map, i + 1), mid[b] + var[b]),
                       map.ToScreen(TimeAt(map, i + 1), mid[b] - var[b]),
                       map.ToScreen(TimeAt(map, i), mid[a] - var[a]), kBandColour);
  }
}

// The lines of one axis from low to high: at the snapping step when it is
// set and not too dense, else at quarters. Counted, so that a step lost in
// rounding cannot loop forever.
std::vector<float> GridLines(float low, float high, float step) {
  if (!(step > 0) || (high - low) / step > kMostGridLines) step = (high - low) / 4;
  std::vector<float> lines;
  const float first = std::ceil(low / step) * step;
  for (int i = 0; i <= int(kMostGridLines); ++i)
    if (first + float(i) * step > low && first + float(i) * step < high)
      lines.push_back(first + float(i) * step);
  return lines;
}

void DrawGrid(ImDrawList& draw, const Mapping& map, const edit::CurveGrid& grid) {
  const ImVec2 end(map.origin.x + map.size.x, map.origin.y + map.size.y);
  for (float t : GridLines(map.start, map.end, grid.time)) {
    const float x = map.ToScreen(t, map.low).x;
    draw.AddLine({x, map.origin.y}, {x, end.y}, kGridColour);
  }
  for (float v : GridLines(map.low, map.high, grid.value)) {
    const float y = map.ToScreen(0, v).y;
    draw.AddLine({map.origin.x, y}, {end.x, y}, kGridColour);
  }
}

// Each drawn in its own range on the shown track's time axis.
void DrawOverlays(ImDrawList& draw, const Mapping& map, EditorSession& session,
                  const CurveTools& tools) {
  for (size_t i = 0; i < tools.overlays.size(); ++i) {
    if (edit::SameTrack(tools.overlays[i], session.track)) continue;
    try {
      const edit::TrackBody body = edit::TrackState(session.Record(), tools.overlays[i]);
      Mapping own = map;
      own.low = body.minimum;
      own.high = body.maximum > body.minimum ? body.maximum : body.minimum + 1;
      DrawCurve(draw, own, body, OverlayColour(i));
    } catch (const edit::Refusal&) {
      // An emitter deleted since it was chosen: nothing to draw.
    }
  }
}

bool CtrlPressed(ImGuiKey key) {
  return ImGui::GetIO().KeyCtrl && ImGui::IsKeyPressed(ImGui::GetKeyIndex(key), false);
}

}  // namespace

edit::TimeSpan CurveCanvas::View(EditorSession& session, const edit::TrackBody& body) {
  if (!opened_ || !edit::SameTrack(viewed_, session.track)) {
    view_ = edit::OpeningSpan(body, edit::PresetSpan(session.Record(), session.track));
    viewed_ = session.track;
    opened_ = true;
  }
  // A domain typed shorter than the span shown: show what is left of it.
  if (view_.end > body.duration) view_ = edit::OpeningSpan(body, 0);
  return view_;
}

void CurveCanvas::Zoom(const edit::TrackBody& body, const Mapping& map) {
  const float wheel = ImGui::GetIO().MouseWheel;
  if (wheel == 0) return;
  const float at = map.FromScreen(ImGui::GetIO().MousePos).time;
  view_ = edit::ZoomSpan(view_, at, std::pow(kWheelZoom, wheel), body.duration);
}

void CurveCanvas::ViewButtons(const edit::TrackBody& body) {
  ImGui::TextDisabled("showing %g to %g of 0 to %g (wheel: zoom)", double(view_.start),
                      double(view_.end), double(body.duration));
  ImGui::SameLine();
  if (ImGui::SmallButton("fit keys")) opened_ = false;
  ImGui::SameLine();
  if (ImGui::SmallButton("whole domain")) view_ = {0, body.duration};
}

void CurveCanvas::Draw(EditorSession& session, CurveTools& tools, const edit::TrackBody& body) {
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const ImVec2 size(std::fmax(ImGui::GetContentRegionAvail().x, 100.0f), kCanvasHeight);
  const Mapping map = Mapping::Of(body, View(session, body), origin, size);
  ImGui::InvisibleButton("canvas", size,
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  if (ImGui::IsItemActivated() && ImGui::IsMouseClicked(ImGuiMouseButton_Left))
    Press(session, tools, body, map);
  else if (ImGui::IsItemActive() &&
           (ImGui::GetIO().MouseDelta.x != 0 || ImGui::GetIO().MouseDelta.y != 0))
    Drag(session, tools, body, map);
  if (ImGui::IsItemDeactivated()) Release(session, tools, body, map);
  // The wheel zooms the canvas rather than scrolling its panel.
  ImGui::SetItemUsingMouseWheel();
  if (ImGui::IsItemHovered()) {
    Zoom(body, map);
    const int key = KeyUnder(body, map, ImGui::GetIO().MousePos);
    if (key > 0 && ImGui::IsMouseClicked(ImGuiMouseButton_Right) &&
        session.Apply(edit::RemoveKey(session.track, key)))
      tools.selection.Set(session.track, {});
    if (CtrlPressed(ImGuiKey_C)) tools.Copy(session, tools.Selected(session).empty());
    if (CtrlPressed(ImGuiKey_V)) tools.Paste(session, ImGui::GetIO().KeyShift);
  }
  Paint(session, tools, body, map);
  ViewButtons(body);
  ImGui::PushStyleColor(ImGuiCol_Text, ImGui::GetStyleColorVec4(ImGuiCol_TextDisabled));
  ImGui::TextWrapped(
      "range %g to %g;  double click: add a key, drag a box or shift-click: select, drag: move "
      "the selection, right click: remove, Ctrl+C / Ctrl+V (+Shift: the whole curve)",
      double(body.minimum), double(body.maximum));
  ImGui::PopStyleColor();
}

// On a key: picks it (shift: adds or takes it out) and grabs the selection;
// a double click elsewhere adds a key there, a single one starts a box.
void CurveCanvas::Press(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
                        const Mapping& map) {
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  dragged_ = KeyUnder(body, map, mouse);
  if (dragged_ >= 0) {
    if (ImGui::GetIO().KeyShift)
      tools.selection.Toggle(session.track, dragged_);
    else if (!tools.Selected(session).count(dragged_))
      tools.selection.Set(session.track, {dragged_});
    if (!tools.Selected(session).count(dragged_)) dragged_ = -1;
    return;
  }
  if (!ImGui::IsMouseDoubleClicked(ImGuiMouseButton_Left)) {
    boxing_ = true;
    boxStart_ = map.FromScreen(mouse);
    return;
  }
  // The new key stays under the pointer: held, it is dragged at once.
  const edit::TrackKey at = edit::Snapped(map.FromScreen(mouse), tools.grid);
  if (!session.Apply(edit::AddKey(session.track, at.time, at.value))) return;
  session.CloseStep();
  dragged_ = KeyUnder(edit::TrackState(session.Record(), session.track), map,
                      map.ToScreen(at.time, at.value));
  tools.selection.Set(session.track, {dragged_});
}

// The grabbed key follows the pointer on the grid; the others keep their
// distance from it.
void CurveCanvas::Drag(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
                       const Mapping& map) {
  if (dragged_ < 0 || dragged_ >= int(body.keys.size())) return;
  const edit::TrackKey wanted = edit::Snapped(map.FromScreen(ImGui::GetIO().MousePos), tools.grid);
  const edit::TrackKey& from = body.keys[size_t(dragged_)];
  tools.MoveSelection(session, record::WrittenValue(wanted.time) - record::WrittenValue(from.time),
                      record::WrittenValue(wanted.value) - record::WrittenValue(from.value));
}

void CurveCanvas::Release(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
                          const Mapping& map) {
  if (boxing_) {
    edit::KeySet keys = edit::KeysInBox(body, boxStart_, map.FromScreen(ImGui::GetIO().MousePos));
    if (ImGui::GetIO().KeyShift) keys.merge(tools.Selected(session));
    tools.selection.Set(session.track, std::move(keys));
  }
  boxing_ = false;
  dragged_ = -1;
  session.CloseStep();
}

void CurveCanvas::Paint(EditorSession& session, CurveTools& tools, const edit::TrackBody& body,
                        const Mapping& map) {
  ImDrawList& draw = *ImGui::GetWindowDrawList();
  const ImVec2 start(map.origin.x - kInset, map.origin.y - kInset),
      end(map.origin.x + map.size.x + kInset, map.origin.y + map.size.y + kInset);
  draw.AddRectFilled(start, end, IM_COL32(20, 20, 28, 255));
  draw.PushClipRect(start, end, true);
  DrawGrid(draw, map, tools.grid);
  DrawOverlays(draw, map, session, tools);
  if (const edit::TrackInfo* info =
          edit::FindTrackInfo(edit::OwnerOf(session.track.emitter), session.track.key))
    if (const edit::TrackInfo* spread = edit::SpreadOf(*info))
      DrawBand(draw, map, body,
               edit::TrackState(session.Record(), {session.track.emitter, spread->key}));
  DrawCurve(draw, map, body, kCurveColour);
  const edit::KeySet selected = tools.Selected(session);
  for (size_t i = 0; i < body.keys.size(); ++i) {
    const ImVec2 at = map.ToScreen(body.keys[i].time, body.keys[i].value);
    draw.AddCircleFilled(at, kKeyRadius, kKeyColour);
    if (selected.count(int(i))) draw.AddCircle(at, kKeyRadius + 3, kBoxColour, 0, 2.0f);
  }
  if (boxing_)
    draw.AddRect(map.ToScreen(boxStart_.time, boxStart_.value), ImGui::GetIO().MousePos,
                 kBoxColour);
  draw.PopClipRect();
}

}  // namespace tavrix::viewer::editor
