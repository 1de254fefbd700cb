#include <imgui.h>

#include <cmath>
#include <string>
#include <vector>

#include "EditorPanels.h"
#include "PanelLayout.h"
#include "edit/RecordAccess.h"
#include "edit/TrackCatalog.h"
#include "edit/TrackEdits.h"

namespace tavrix::viewer::editor {
namespace {

constexpr float kCanvasHeight = 170;
constexpr float kKeyRadius = 5, kGrabRadius = 8;
constexpr int kCurvePoints = 160;
constexpr ImU32 kCurveColour = IM_COL32(255, 200, 80, 255),
                kBandColour = IM_COL32(255, 200, 80, 60), kKeyColour = IM_COL32(255, 255, 255, 255),
                kGridColour = IM_COL32(255, 255, 255, 40);

// Between the canvas's pixels and the track's domain and range.
struct Mapping {
  ImVec2 origin, size;
  float duration, low, high;

  static Mapping Of(const edit::TrackBody& body, ImVec2 origin, ImVec2 size) {
    const float high = body.maximum > body.minimum ? body.maximum : body.minimum + 1;
    return {origin, size, body.duration > 0 ? body.duration : 1, body.minimum, high};
  }
  ImVec2 ToScreen(float time, float value) const {
    return {origin.x + time / duration * size.x,
            origin.y + size.y - (value - low) / (high - low) * size.y};
  }
  edit::TrackKey FromScreen(ImVec2 at) const {
    return {(at.x - origin.x) / size.x * duration,
            low + (origin.y + size.y - at.y) / size.y * (high - low)};
  }
};

const edit::TrackInfo* InfoOf(const edit::TrackRef& track) {
  return edit::FindTrackInfo(edit::OwnerOf(track.emitter), track.key);
}

int KeyUnder(const edit::TrackBody& body, const Mapping& map, ImVec2 at) {
  for (int i = 0; i < int(body.keys.size()); ++i) {
    const ImVec2 key = map.ToScreen(body.keys[size_t(i)].time, body.keys[size_t(i)].value);
    if (std::hypot(key.x - at.x, key.y - at.y) <= kGrabRadius) return i;
  }
  return -1;
}

// Base plus and minus its spread, the values a particle may be given.
void DrawBand(ImDrawList& draw, const Mapping& map, const std::vector<float>& base,
              const edit::TrackBody& spread) {
  const std::vector<float> var = spread.Curve(kCurvePoints);
  for (int i = 0; i + 1 < kCurvePoints; ++i) {
    const float t0 = map.duration * float(i) / float(kCurvePoints - 1);
    const float t1 = map.duration * float(i + 1) / float(kCurvePoints - 1);
    draw.AddQuadFilled(map.ToScreen(t0, base[size_t(i)] + var[size_t(i)]),
                       map.ToScreen(t1, base[size_t(i + 1)] + var[size_t(i + 1)]),
                       map.ToScreen(t1, base[size_t(i + 1)] - var[size_t(i + 1)]),
                       map.ToScreen(t0, base[size_t(i)] - var[size_t(i)]), kBandColour);
  }
}

}  // namespace

void CurvePanel::Canvas(const edit::TrackBody& body) {
  EditorSession& session = *session_;
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const ImVec2 size(std::fmax(ImGui::GetContentRegionAvail().x, 100.0f), kCanvasHeight);
  const Mapping map = Mapping::Of(body, origin, size);
  ImGui::InvisibleButton("canvas", size,
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  if (ImGui::IsItemActivated() && ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
    dragged_ = KeyUnder(body, map, mouse);
    if (dragged_ < 0) {
      // The new key stays under the pointer: held, it is dragged at once.
      const edit::TrackKey at = map.FromScreen(mouse);
      if (session.Apply(edit::AddKey(session.track, at.time, at.value))) {
        session.CloseStep();
        dragged_ = KeyUnder(edit::TrackState(session.Record(), session.track), map, mouse);
      }
    }
  }
  if (ImGui::IsItemActive() && !ImGui::IsItemActivated() && dragged_ >= 0 &&
      dragged_ < int(body.keys.size()) &&
      (ImGui::GetIO().MouseDelta.x != 0 || ImGui::GetIO().MouseDelta.y != 0)) {
    const edit::TrackKey to = edit::NearestAllowedKey(body, dragged_, map.FromScreen(mouse));
    session.Apply(edit::MoveKey(session.track, dragged_, to.time, to.value));
  }
  if (ImGui::IsItemDeactivated()) {
    dragged_ = -1;
    session.CloseStep();
  }
  if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(ImGuiMouseButton_Right)) {
    const int key = KeyUnder(body, map, mouse);
    if (key > 0) session.Apply(edit::RemoveKey(session.track, key));
  }

  ImDrawList& draw = *ImGui::GetWindowDrawList();
  const ImVec2 end(origin.x + size.x, origin.y + size.y);
  draw.AddRectFilled(origin, end, IM_COL32(20, 20, 28, 255));
  draw.PushClipRect(origin, end, true);
  for (int i = 1; i < 4; ++i) {
    const float f = float(i) / 4;
    draw.AddLine({origin.x + f * size.x, origin.y}, {origin.x + f * size.x, end.y}, kGridColour);
    draw.AddLine({origin.x, origin.y + f * size.y}, {end.x, origin.y + f * size.y}, kGridColour);
  }
  const std::vector<float> curve = body.Curve(kCurvePoints);
  if (const edit::TrackInfo* info = InfoOf(session.track))
    if (const edit::TrackInfo* spread = edit::SpreadOf(*info))
      DrawBand(draw, map, curve,
               edit::TrackState(session.Record(), {session.track.emitter, spread->key}));
  std::vector<ImVec2> points;
  points.reserve(kCurvePoints);
  for (int i = 0; i < kCurvePoints; ++i)
    points.push_back(
        map.ToScreen(map.duration * float(i) / float(kCurvePoints - 1), curve[size_t(i)]));
  draw.AddPolyline(points.data(), int(points.size()), kCurveColour, 0, 2.0f);
  for (size_t i = 0; i < body.keys.size(); ++i)
    draw.AddCircleFilled(map.ToScreen(body.keys[i].time, body.keys[i].value), kKeyRadius,
                         int(i) == dragged_ ? kCurveColour : kKeyColour);
  draw.PopClipRect();
  ImGui::TextDisabled(
      "range %g to %g over 0 to %g;  click: add a key, drag: move it, right click: remove it",
      double(body.minimum), double(body.maximum), double(body.duration));
}

void CurvePanel::Shape(const edit::TrackBody& body) {
  float values[5] = {body.cycles, body.duration, body.minimum, body.maximum, body.defaultValue};
  const char* const labels[5] = {"cycles", "domain", "range from", "range to", "default"};
  bool changed = false;
  ImGui::PushItemWidth(90);
  for (int i = 0; i < 5; ++i) {
    if (i % 3) ImGui::SameLine();
    changed |=
        ImGui::InputFloat(labels[i], &values[i], 0, 0, "%g", ImGuiInputTextFlags_EnterReturnsTrue);
  }
  ImGui::PopItemWidth();
  if (changed)
    session_->Apply(edit::SetTrackShape(session_->track,
                                        {values[0], values[1], values[2], values[3], values[4]}));
  ImGui::SameLine();
  if (ImGui::Button("reset")) session_->Apply(edit::ResetTrack(session_->track));
}

void CurvePanel::KeyTable(const edit::TrackBody& body) {
  if (!ImGui::CollapsingHeader("keys, typed exactly (Enter applies)")) return;
  for (int i = 0; i < int(body.keys.size()); ++i) {
    ImGui::PushID(i);
    float key[2] = {body.keys[size_t(i)].time, body.keys[size_t(i)].value};
    ImGui::SetNextItemWidth(200);
    if (ImGui::InputFloat2("time, value", key, "%g", ImGuiInputTextFlags_EnterReturnsTrue)) {
      session_->Apply(edit::MoveKey(session_->track, i, key[0], key[1]));
      session_->CloseStep();
    }
    if (i > 0) {
      ImGui::SameLine();
      if (ImGui::SmallButton("remove")) session_->Apply(edit::RemoveKey(session_->track, i));
    }
    ImGui::PopID();
  }
}

void CurvePanel::Draw(Viewer&) {
  PlaceNextPanel(PanelPlace::Curve);
  ImGui::Begin("Curve");
  const edit::TrackRef& track = session_->track;
  const edit::TrackInfo* info = InfoOf(track);
  const std::string owner =
      track.emitter < 0 ? "the effect" : edit::EmitterLabel(session_->Record(), track.emitter);
  ImGui::Text("%s of %s", track.key.c_str(), owner.c_str());
  if (info) {
    ImGui::TextWrapped("%s. Unit: %s. Runs over %s.", info->description, info->unit,
                       edit::TrackTimeText(info->time));
    if (const edit::TrackInfo* spread = edit::SpreadOf(*info))
      ImGui::TextDisabled("band: plus and minus %s", spread->key);
  }
  try {
    const edit::TrackBody body = edit::TrackState(session_->Record(), track);
    Canvas(body);
    Shape(body);
    KeyTable(body);
  } catch (const edit::Refusal& refusal) {
    ImGui::TextWrapped("This track cannot be edited: %s", refusal.message.c_str());
  }
  ImGui::End();
}

}  // namespace tavrix::viewer::editor
