// The viewer: a window with the SDL2 host in it, the shown effects, the
// play controls, the panels, and the frame loop that ties them together:
// events, reload of changed files, update, draw, screenshots, panels.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ImGuiLayer.h"
#include "KeyBindings.h"
#include "Panel.h"
#include "ParticleHost.h"
#include "SdlWindow.h"
#include "ShownEffect.h"
#include "Timeline.h"
#include "ViewerOptions.h"
#include "ViewerState.h"
#include "cost/CostMeter.h"

namespace tavrix::viewer {

class Viewer {
 public:
  // Throws sdl2::HostError when the window or the library cannot be set up.
  explicit Viewer(const ViewerOptions& options);

  // Until the window closes, for the scripted number of frames, or until an
  // editing script closes it; the process's exit code.
  int Run();

  void AddPanel(std::unique_ptr<Panel> panel) { panels_.push_back(std::move(panel)); }
  // Asked before the window closes; false keeps it open (an editor asks
  // about unsaved changes first, then calls Close).
  void SetQuitGuard(std::function<bool()> guard) { quitGuard_ = std::move(guard); }
  void Close() { running_ = false; }
  // A scripted step failed: the run goes on and ends with exit code 1.
  void ReportFailure() { exitCode_ = 1; }
  void Perform(Action action);
  // Saved after the effects of the next frame are drawn.
  void RequestScreenshot(const std::string& path) { screenshots_.push_back(path); }

  std::vector<ShownEffect>& Effects() { return effects_; }
  // The editor's panels are shown: the viewer's own make room for them.
  bool Editing() const { return options_.edit; }
  sdl2::ParticleHost& Host() { return host_; }
  PlayControls& Controls() { return controls_; }
  Timeline& Time() { return timeline_; }
  ViewSettings& Settings() { return settings_; }
  const FrameStats& Stats() const { return stats_; }
  // Measures while the overlay is shown; its figures are of the last frame.
  const cost::CostMeter& Meter() const { return meter_; }
  cost::CostLimits& Limits() { return limits_; }
  // The part of the view the window shows, in view units.
  cost::ViewArea VisibleArea();

 private:
  // A run of a set number of frames or of an editing script: on the
  // software renderer, each frame one step of the timeline.
  bool Scripted() const { return options_.frames > 0 || !options_.editScript.empty(); }
  void HandleEvent(const SDL_Event& event);
  // Takes the effect nearest to a press that no panel took.
  void TakePress();
  void Drag(float windowX, float windowY);
  void WatchFiles();
  int64_t PlayedMs();
  void Update();
  void Draw();
  void SaveScreenshots();
  void UpdateView();
  void AskToQuit() { running_ = quitGuard_ && !quitGuard_(); }

  ViewerOptions options_;
  sdl2::SdlWindow window_;
  sdl2::ParticleHost host_;
  ImGuiLayer imgui_;
  std::vector<ShownEffect> effects_;
  std::vector<std::unique_ptr<Panel>> panels_;
  std::function<bool()> quitGuard_;
  PlayControls controls_;
  ViewSettings settings_;
  FrameStats stats_;
  Timeline timeline_;
  cost::CostMeter meter_;
  cost::CostLimits limits_;
  std::vector<std::string> screenshots_;
  int32_t reloads_ = 0, keyShots_ = 0;
  std::optional<SDL_Point> press_;  // a left press not yet judged
  int dragged_ = -1;
  bool running_ = true;
  int exitCode_ = 0;  // 1 once a screenshot could not be saved
  sdl2::FrameClock clock_;
  uint64_t lastWatchMs_ = 0;
};

}  // namespace tavrix::viewer
