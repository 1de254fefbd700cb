#include "ImGuiLayer.h"

#include <imgui.h>

#include "imgui_impl_sdl.h"
#include "imgui_impl_sdlrenderer.h"

namespace tavrix::viewer {

ImGuiLayer::ImGuiLayer(SDL_Window* window, SDL_Renderer* renderer) {
  ImGui::CreateContext();
  // No imgui.ini: the viewer runs from wherever the artist stands, and
  // scripted runs must not leave files behind.
  ImGui::GetIO().IniFilename = nullptr;
  ImGui::StyleColorsDark();
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer);
}

ImGuiLayer::~ImGuiLayer() {
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
}

void ImGuiLayer::ProcessEvent(const SDL_Event& event) { ImGui_ImplSDL2_ProcessEvent(&event); }
bool ImGuiLayer::WantsMouse() const { return ImGui::GetIO().WantCaptureMouse; }
bool ImGuiLayer::WantsKeyboard() const { return ImGui::GetIO().WantCaptureKeyboard; }

void ImGuiLayer::BeginFrame() {
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
}

void ImGuiLayer::EndFrame() {
  ImGui::Render();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
}

}  // namespace tavrix::viewer
