// The viewer's keys, written once: the frame loop acts on them, --help and
// the overlay list them.
#pragma once

#include <SDL.h>

namespace tavrix::viewer {

enum class Action {
  Pause,
  Step,
  StepBack,
  Restart,
  ToRangeStart,
  InPoint,
  OutPoint,
  ClearRange,
  Slower,
  Faster,
  Replay,
  MoveLive,
  Background,
  Overlay,
  ZoomIn,
  ZoomOut,
  ZoomReset,
  Screenshot,
  Quit
};

struct KeyBinding {
  SDL_Keycode key, alternative;
  const char* keys;
  const char* what;
  Action action;
};

inline constexpr KeyBinding kKeyBindings[] = {
    {SDLK_SPACE, SDLK_SPACE, "Space", "play / pause", Action::Pause},
    {SDLK_PERIOD, SDLK_RIGHT, ". or Right", "pause, one frame forward", Action::Step},
    {SDLK_COMMA, SDLK_LEFT, ", or Left", "pause, one frame back", Action::StepBack},
    {SDLK_r, SDLK_r, "R", "restart (with the prewarm)", Action::Restart},
    {SDLK_HOME, SDLK_HOME, "Home", "to the play range's in point (or 0)", Action::ToRangeStart},
    {SDLK_i, SDLK_i, "I", "play range: in point at this frame", Action::InPoint},
    {SDLK_e, SDLK_e, "E", "play range: out point at this frame", Action::OutPoint},
    {SDLK_c, SDLK_c, "C", "play range: clear (play on)", Action::ClearRange},
    {SDLK_LEFTBRACKET, SDLK_LEFTBRACKET, "[", "half the speed of time", Action::Slower},
    {SDLK_RIGHTBRACKET, SDLK_RIGHTBRACKET, "]", "double the speed of time", Action::Faster},
    {SDLK_l, SDLK_l, "L", "replay effects that end: on / off", Action::Replay},
    {SDLK_m, SDLK_m, "M", "dragging moves live particles: on / off", Action::MoveLive},
    {SDLK_b, SDLK_b, "B", "background: colour / checkerboard", Action::Background},
    {SDLK_o, SDLK_o, "O", "overlay: show / hide", Action::Overlay},
    {SDLK_EQUALS, SDLK_KP_PLUS, "+", "zoom in", Action::ZoomIn},
    {SDLK_MINUS, SDLK_KP_MINUS, "-", "zoom out", Action::ZoomOut},
    {SDLK_0, SDLK_KP_0, "0", "zoom 1:1", Action::ZoomReset},
    {SDLK_s, SDLK_F12, "S or F12", "screenshot (PNG in the current folder)", Action::Screenshot},
    {SDLK_ESCAPE, SDLK_q, "Esc or Q", "quit", Action::Quit},
};

}  // namespace tavrix::viewer
