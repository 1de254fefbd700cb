// Dear ImGui on the viewer's window: its context and its SDL2 and
// SDL_Renderer back ends, set up and torn down together, and the pointer and
// keys handed to ImGui so that a real hand's input survives slow frames: the
// SDL2 back end of this ImGui reads the pointer from a state X11 stops
// updating while a button holds it, and sees the buttons and keys only as
// they stand at each frame, so that a click whose press and release fall in
// one frame, or the two clicks of a double click, would be lost.
#pragma once

#include <SDL.h>

#include <deque>
#include <vector>

namespace tavrix::viewer {

class ImGuiLayer {
 public:
  ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer);
  ~ImGuiLayer();
  ImGuiLayer(const ImGuiLayer&) = delete;
  ImGuiLayer& operator=(const ImGuiLayer&) = delete;

  // Mouse buttons go to ImGui one change of each button a frame, in order,
  // each press where it was made and a double click as SDL counts it (by
  // the events' own times). Keys released in the frame a key went down are
  // released the next, so that a press and the modifiers held at it are
  // seen for a whole frame: a quick Ctrl+S in a slow frame still saves.
  void ProcessEvent(const SDL_Event& event);
  bool WantsMouse() const;
  bool WantsKeyboard() const;
  void BeginFrame();
  // Draws what the panels built since BeginFrame.
  void EndFrame();

 private:
  void ProcessKey(const SDL_Event& event);
  // The buttons' next changes as ImGui's buttons, and which of them are
  // double clicks.
  void TakeButtons(bool doubleClicks[3]);

  std::deque<SDL_MouseButtonEvent> buttons_;  // not yet shown to ImGui
  bool down_[3] = {};                         // as ImGui sees them: left, right, middle
  bool keyPressed_ = false;                   // a key went down since the last frame
  std::vector<SDL_Event> releases_;           // keys held up for the next frame
};

}  // namespace tavrix::viewer
