#include "Viewer.h"

#include <algorithm>
#include <cmath>

#include "Background.h"
#include "PanelLayout.h"
#include "ViewerLog.h"

namespace tavrix::viewer {
namespace {

// Often enough to feel at once, rarely enough to cost nothing.
constexpr uint64_t kWatchIntervalMs = 100;

float Distance2(float ax, float ay, float bx, float by) {
  return (ax - bx) * (ax - bx) + (ay - by) * (ay - by);
}

}  // namespace

Viewer::Viewer(const ViewerOptions& options)
    : options_(options),
      window_({"tavrix-view", options.width, options.height,
               options.frames > 0 || !options.editScript.empty(), true}),
      host_(window_.Renderer(), options.roots.front(), options.width, options.height),
      imgui_(window_.Window(), window_.Renderer()),
      timeline_(host_, effects_, controls_, FrameSteps(options.stepMs)),
      meter_(host_.System()),
      limits_(options.limits) {
  controls_.timeScale = options.timeScale;
  controls_.prewarmMs = options.prewarmMs;
  settings_ = {options.background, options.checkerboard, options.zoom, options.overlay};
  const size_t count = options.files.size();
  effects_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    if (std::find(options.roots.begin(), options.roots.begin() + long(i), options.roots[i]) ==
        options.roots.begin() + long(i))
      Log("root " + options.roots[i]);
    // Side by side across the part the panels leave free, each in the
    // middle of its share.
    const FreeBand band = FreeMiddle(float(options.width), options.edit);
    effects_.emplace_back(host_, options.files[i], options.roots[i],
                          band.left + (band.right - band.left) * (float(i) + 0.5f) / float(count),
                          float(options.height) * 0.5f);
    effects_.back().LoadFile();
  }
  timeline_.Restart();
  if (options.atMs >= 0) {
    controls_.paused = true;
    timeline_.SeekTo(options.atMs);
  }
}

int Viewer::Run() {
  const auto shown = [](const ShownEffect& effect) { return effect.Id() >= 0; };
  if (Scripted() && std::none_of(effects_.begin(), effects_.end(), shown)) {
    // Each failure is logged by name already; a script would only save black.
    Log("no effect loaded: nothing to play");
    return 1;
  }
  while (running_) {
    const uint64_t start = SDL_GetTicks64();
    SDL_Event event;
    while (SDL_PollEvent(&event)) HandleEvent(event);
    WatchFiles();
    Update();
    const bool last = Scripted() && stats_.frame + 1 == options_.frames;
    if (last && !options_.screenshot.empty()) RequestScreenshot(options_.screenshot);
    Draw();
    ++stats_.frame;
    if (last) break;
    // Where presenting does not wait for the display, a frame every 10 ms
    // is plenty for the eye and leaves the machine its time.
    const uint64_t spent = SDL_GetTicks64() - start;
    if (!Scripted() && spent < 10) SDL_Delay(Uint32(10 - spent));
  }
  return exitCode_;
}

void Viewer::HandleEvent(const SDL_Event& event) {
  imgui_.ProcessEvent(event);
  switch (event.type) {
    case SDL_QUIT: AskToQuit(); break;
    case SDL_KEYDOWN:
      // Keys with Ctrl are the editor's (Ctrl+S, Ctrl+Z, Ctrl+C).
      if (imgui_.WantsKeyboard() || (event.key.keysym.mod & KMOD_CTRL)) break;
      for (const KeyBinding& binding : kKeyBindings)
        if (event.key.keysym.sym == binding.key || event.key.keysym.sym == binding.alternative)
          Perform(binding.action);
      break;
    case SDL_MOUSEBUTTONDOWN:
      // Whether a panel takes the press is known once ImGui's frame has
      // seen it: a pointer that jumps onto a panel and presses at once
      // must not drag the effect under it.
      if (event.button.button == SDL_BUTTON_LEFT)
        press_ = SDL_Point{event.button.x, event.button.y};
      break;
    case SDL_MOUSEMOTION:
      if (dragged_ >= 0) Drag(float(event.motion.x), float(event.motion.y));
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) dragged_ = -1;
      break;
    case SDL_MOUSEWHEEL:
      if (!imgui_.WantsMouse()) Perform(event.wheel.y > 0 ? Action::ZoomIn : Action::ZoomOut);
      break;
  }
}

void Viewer::TakePress() {
  if (!press_) return;
  const SDL_Point press = *press_;
  press_.reset();
  if (imgui_.WantsMouse()) return;
  // The effect nearest to the pointer is the one taken.
  const SDL_FPoint at = host_.Target().view.ToView(float(press.x), float(press.y));
  float best = INFINITY;
  for (size_t i = 0; i < effects_.size(); ++i) {
    const float d = Distance2(at.x, at.y, effects_[i].X(), effects_[i].Y());
    if (d < best) {
      best = d;
      dragged_ = int(i);
    }
  }
  if (dragged_ >= 0) Drag(float(press.x), float(press.y));
}

void Viewer::Drag(float windowX, float windowY) {
  const SDL_FPoint at = host_.Target().view.ToView(windowX, windowY);
  effects_[size_t(dragged_)].MoveTo(at.x, at.y, controls_.moveLiveParticles);
}

void Viewer::Perform(Action action) {
  switch (action) {
    case Action::Pause: controls_.paused = !controls_.paused; break;
    case Action::Step:
    case Action::StepBack:
      controls_.paused = true;
      timeline_.StepFrame(action == Action::Step ? 1 : -1);
      break;
    case Action::Restart: timeline_.Restart(); break;
    case Action::ToRangeStart:
      timeline_.SeekTo(timeline_.Range().Set() ? timeline_.Range().inMs : 0);
      break;
    case Action::InPoint: timeline_.SetIn(); break;
    case Action::OutPoint: timeline_.SetOut(); break;
    case Action::ClearRange: timeline_.ClearRange(); break;
    case Action::Slower:
      controls_.timeScale = std::max(controls_.timeScale * 0.5f, 1.0f / 64);
      break;
    case Action::Faster: controls_.timeScale = std::min(controls_.timeScale * 2.0f, 16.0f); break;
    case Action::Replay: controls_.replay = !controls_.replay; break;
    case Action::MoveLive: controls_.moveLiveParticles = !controls_.moveLiveParticles; break;
    case Action::Background: settings_.checkerboard = !settings_.checkerboard; break;
    case Action::Overlay: settings_.overlay = !settings_.overlay; break;
    case Action::ZoomIn: settings_.zoom = std::min(settings_.zoom * 1.25f, 16.0f); break;
    case Action::ZoomOut: settings_.zoom = std::max(settings_.zoom / 1.25f, 0.125f); break;
    case Action::ZoomReset: settings_.zoom = 1.0f; break;
    case Action::Screenshot:
      RequestScreenshot(options_.startFolder + "/tavrix-view-" + std::to_string(++keyShots_) +
                        ".png");
      break;
    case Action::Quit: AskToQuit(); break;
  }
}

void Viewer::WatchFiles() {
  const uint64_t now = SDL_GetTicks64();
  if (now - lastWatchMs_ < kWatchIntervalMs) return;
  lastWatchMs_ = now;
  for (ShownEffect& effect : effects_) {
    if (!effect.FileChanged()) continue;
    effect.LoadFile();
    if (!options_.reloadShots.empty())
      RequestScreenshot(options_.reloadShots + "-" + std::to_string(++reloads_) + ".png");
  }
}

int64_t Viewer::PlayedMs() {
  // A scripted frame is one frame of the timeline at the speed of time.
  if (Scripted()) return std::llround(double(timeline_.NextFrameMs()) * controls_.timeScale);
  return clock_.Take(controls_.timeScale);
}

void Viewer::Update() {
  const int64_t played = PlayedMs();
  const uint64_t start = SDL_GetPerformanceCounter();
  // Measuring costs a little: only while the overlay shows the figures.
  timeline_.MeasureWith(settings_.overlay ? &meter_ : nullptr);
  timeline_.Follow();
  if (!controls_.paused) timeline_.Play(played);
  stats_.updateMs =
      double(SDL_GetPerformanceCounter() - start) * 1000.0 / double(SDL_GetPerformanceFrequency());
}

cost::ViewArea Viewer::VisibleArea() {
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(window_.Renderer(), &width, &height);
  const sdl2::ViewTransform& view = host_.Target().view;
  const SDL_FPoint topLeft = view.ToView(0, 0), bottomRight = view.ToView(width, height);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void Viewer::UpdateView() {
  // Zoom about the middle of the window.
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(window_.Renderer(), &width, &height);
  const float zoom = settings_.zoom;
  host_.Target().view = {zoom, float(width) * 0.5f * (1.0f - zoom),
                         float(height) * 0.5f * (1.0f - zoom)};
}

void Viewer::Draw() {
  UpdateView();
  DrawBackground(window_.Renderer(), settings_);
  const uint64_t start = SDL_GetPerformanceCounter();
  if (settings_.overlay) {
    host_.Target().quadsDrawn = 0;
    std::vector<int32_t> ids;
    for (const ShownEffect& effect : effects_) ids.push_back(effect.Id());
    meter_.Draw(ids);
  } else {
    host_.Draw();
  }
  // SDL batches: the draw time counts the pixels only once they are drawn.
  SDL_RenderFlush(window_.Renderer());
  const uint64_t end = SDL_GetPerformanceCounter();
  stats_.drawMs = double(end - start) * 1000.0 / double(SDL_GetPerformanceFrequency());
  stats_.quads = host_.Target().quadsDrawn;
  if (!options_.overlayInScreenshots) SaveScreenshots();
  imgui_.BeginFrame();
  TakePress();
  for (const std::unique_ptr<Panel>& panel : panels_)
    if (settings_.overlay || !panel->Hideable()) panel->Draw(*this);
  imgui_.EndFrame();
  if (options_.overlayInScreenshots) SaveScreenshots();
  SDL_RenderPresent(window_.Renderer());
}

void Viewer::SaveScreenshots() {
  for (const std::string& path : screenshots_) {
    std::string error;
    if (sdl2::SaveScreenshot(window_.Renderer(), path, error)) {
      Log("screenshot " + path);
    } else {
      Log(error);
      exitCode_ = 1;
    }
  }
  screenshots_.clear();
}

}  // namespace tavrix::viewer
