// Dear ImGui on the viewer's window: its context and its SDL2 and
// SDL_Renderer back ends, set up and torn down together.
#pragma once

#include <SDL.h>

namespace tavrix::viewer {

class ImGuiLayer {
 public:
  ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer);
  ~ImGuiLayer();
  ImGuiLayer(const ImGuiLayer&) = delete;
  ImGuiLayer& operator=(const ImGuiLayer&) = delete;

  void ProcessEvent(const SDL_Event& event);
  bool WantsMouse() const;
  bool WantsKeyboard() const;
  void BeginFrame();
  // Draws what the panels built since BeginFrame.
  void EndFrame();
};

}  // namespace tavrix::viewer
