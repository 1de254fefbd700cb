#include "TimelinePanel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "PanelLayout.h"
#include "Viewer.h"
#include "record/FieldTable.h"

namespace tavrix::viewer {
namespace {

constexpr float kRulerHeight = 16, kRowHeight = 18;
constexpr ImU32 kBackColour = IM_COL32(20, 20, 28, 255), kTickColour = IM_COL32(255, 255, 255, 60),
                kRangeColour = IM_COL32(90, 160, 255, 50),
                kCursorColour = IM_COL32(255, 80, 60, 255),
                kTextColour = IM_COL32(230, 230, 230, 255);

// How an effect's bar goes on after its duration, by end mode.
enum class After { Plays, Loops, Stops, Fades };
struct EndLook {
  After after;
  ImU32 colour;
};
constexpr EndLook kEndLooks[] = {
    {After::Plays, IM_COL32(110, 170, 110, 255)},  // ReportOnce
    {After::Loops, IM_COL32(90, 140, 220, 255)},   // Loop
    {After::Stops, IM_COL32(200, 110, 90, 255)},   // KillAtEnd
    {After::Fades, IM_COL32(210, 170, 80, 255)},   // FadeAtEnd
};
// Any other value does nothing at the end: the effect plays on.
constexpr EndLook kOtherEnd = {After::Plays, IM_COL32(150, 150, 150, 255)};

EndLook LookOf(int32_t endMode) {
  return endMode >= 0 && endMode < int32_t(std::size(kEndLooks)) ? kEndLooks[endMode] : kOtherEnd;
}

ImU32 Dimmed(ImU32 colour) { return (colour & 0x00FFFFFFu) | (ImU32(90) << IM_COL32_A_SHIFT); }

// Between milliseconds and the canvas's pixels.
struct Axis {
  float left, width;
  int64_t spanMs;
  float X(int64_t ms) const { return left + width * float(std::min(ms, spanMs)) / float(spanMs); }
  int64_t Ms(float x) const {
    return int64_t(std::lround(double(x - left) / double(width) * double(spanMs)));
  }
};

// Whole seconds, long enough for the longest effect with room for what
// follows its end, and for the play range.
int64_t SpanMs(Viewer& viewer) {
  int64_t longest = 1000;
  for (const ShownEffect& effect : viewer.Effects())
    longest = std::max(longest, int64_t(double(effect.DurationSeconds()) * 1250.0));
  longest = std::max(longest, viewer.Time().Range().outMs);
  return (longest + 999) / 1000 * 1000;
}

// A tick every so many milliseconds that about ten are labelled.
int64_t TickMs(int64_t spanMs) {
  for (int64_t tick : {100, 250, 500, 1000, 2000, 5000, 10000, 30000, 60000})
    if (spanMs / tick <= 10) return tick;
  return 120000;
}

void Ruler(ImDrawList& draw, const Axis& axis, float top) {
  const int64_t tick = TickMs(axis.spanMs);
  char label[32];
  for (int64_t ms = 0; ms <= axis.spanMs; ms += tick) {
    draw.AddLine({axis.X(ms), top + kRulerHeight - 5}, {axis.X(ms), top + kRulerHeight},
                 kTickColour);
    std::snprintf(label, sizeof label, "%g s", double(ms) / 1000.0);
    draw.AddText({axis.X(ms) + 2, top}, kTextColour, label);
  }
}

// What follows the end of one play, from durationMs to the end of the axis.
void AfterEnd(ImDrawList& draw, const Axis& axis, float y0, float y1, int64_t durationMs,
              const EndLook& look) {
  const ImU32 dim = Dimmed(look.colour);
  switch (look.after) {
    case After::Plays:
      draw.AddRectFilled({axis.X(durationMs), y0 + 5}, {axis.X(axis.spanMs), y1 - 5}, dim);
      break;
    case After::Loops:
      // Rounds too short to see are drawn as one.
      for (int64_t ms = durationMs; ms < axis.spanMs; ms += std::max(durationMs, axis.spanMs / 200))
        draw.AddRectFilled({axis.X(ms) + 1, y0}, {axis.X(ms + durationMs), y1}, dim);
      break;
    case After::Fades:
      draw.AddRectFilledMultiColor({axis.X(durationMs), y0},
                                   {axis.X(durationMs + durationMs / 4), y1}, dim, 0, 0, dim);
      break;
    case After::Stops: break;
  }
}

void EffectRow(ImDrawList& draw, const Axis& axis, float top, const ShownEffect& effect) {
  if (effect.Id() < 0) {
    draw.AddText({axis.X(0) + 4, top + 2}, kTextColour, (effect.Name() + " (not loaded)").c_str());
    return;
  }
  const float y0 = top + 2, y1 = top + kRowHeight - 2;
  const EndLook look = LookOf(effect.EndMode());
  const int64_t durationMs =
      std::max<int64_t>(int64_t(double(effect.DurationSeconds()) * 1000.0), 1);
  draw.AddRectFilled({axis.X(0), y0}, {axis.X(durationMs), y1}, look.colour);
  AfterEnd(draw, axis, y0, y1, durationMs, look);
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "  %.2f s  ", double(effect.DurationSeconds()));
  const std::string text =
      effect.Name() + seconds +
      record::NumberedChoice(record::EndModes, effect.EndMode(), &record::Choice::name, "");
  draw.AddText({axis.X(0) + 4, top + 2}, IM_COL32(0, 0, 0, 255), text.c_str());
}

void Buttons(Viewer& viewer) {
  struct Button {
    const char* label;
    Action action;
  };
  const bool paused = viewer.Controls().paused;
  const Button buttons[] = {{"|<", Action::ToRangeStart},
                            {"<", Action::StepBack},
                            {paused ? "play" : "pause", Action::Pause},
                            {">", Action::Step},
                            {"in", Action::InPoint},
                            {"out", Action::OutPoint},
                            {"clear range", Action::ClearRange}};
  for (const Button& button : buttons) {
    if (ImGui::Button(button.label)) viewer.Perform(button.action);
    ImGui::SameLine();
  }
  const Timeline& time = viewer.Time();
  ImGui::Text("%.3f s   frame %lld   last seek %.1f ms", double(time.NowMs()) / 1000.0,
              static_cast<long long>(time.Frame()), time.LastSeekMs());
}

// The frame start nearest to the pointer.
int64_t NearestFrame(const FrameSteps& steps, int64_t ms) {
  const int64_t frame = steps.FrameAt(ms);
  return ms - steps.Start(frame) < steps.Start(frame + 1) - ms ? steps.Start(frame)
                                                               : steps.Start(frame + 1);
}

void Canvas(Viewer& viewer) {
  Timeline& time = viewer.Time();
  const ImVec2 origin = ImGui::GetCursorScreenPos();
  const float width = std::fmax(ImGui::GetContentRegionAvail().x, 100.0f);
  const float height =
      kRulerHeight + kRowHeight * float(std::max<size_t>(viewer.Effects().size(), 1));
  const Axis axis{origin.x, width, SpanMs(viewer)};
  ImGui::InvisibleButton("timeline", {width, height});
  if (ImGui::IsItemActive()) {
    // Scrubbing holds the picture: playing on would move it away at once.
    viewer.Controls().paused = true;
    time.SeekTo(NearestFrame(
        time.Steps(), std::clamp<int64_t>(axis.Ms(ImGui::GetIO().MousePos.x), 0, axis.spanMs)));
  }

  ImDrawList& draw = *ImGui::GetWindowDrawList();
  const ImVec2 end(origin.x + width, origin.y + height);
  draw.AddRectFilled(origin, end, kBackColour);
  draw.PushClipRect(origin, end, true);
  Ruler(draw, axis, origin.y);
  float top = origin.y + kRulerHeight;
  for (const ShownEffect& effect : viewer.Effects()) {
    EffectRow(draw, axis, top, effect);
    top += kRowHeight;
  }
  if (time.Range().Set())
    draw.AddRectFilled({axis.X(time.Range().inMs), origin.y}, {axis.X(time.Range().outMs), end.y},
                       kRangeColour);
  const float cursor = axis.X(time.NowMs());
  draw.AddLine({cursor, origin.y}, {cursor, end.y}, kCursorColour, 2.0f);
  draw.PopClipRect();
}

class TimelinePanel final : public Panel {
 public:
  void Draw(Viewer& viewer) override {
    PlaceNextPanel(viewer.Editing() ? PanelPlace::EditorTimeline : PanelPlace::Timeline);
    ImGui::SetNextWindowBgAlpha(0.75f);
    ImGui::Begin("timeline");
    Buttons(viewer);
    Canvas(viewer);
    ImGui::End();
  }
};

}  // namespace

std::unique_ptr<Panel> MakeTimelinePanel() { return std::make_unique<TimelinePanel>(); }

}  // namespace tavrix::viewer
