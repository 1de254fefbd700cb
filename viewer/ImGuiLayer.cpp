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
  // Thin lines drawn from the font texture break up on SDL's software
  // renderer (the curve editor's grid); plain geometry draws them whole.
  ImGui::GetStyle().AntiAliasedLinesUseTex = false;
  ImGui_ImplSDL2_InitForSDLRenderer(window);
  ImGui_ImplSDLRenderer_Init(renderer);
}

ImGuiLayer::~ImGuiLayer() {
  ImGui_ImplSDLRenderer_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
}

namespace {

// ImGui's index of an SDL button: left, right, middle; -1 for others.
int ButtonIndex(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
  }
}

}  // namespace

void ImGuiLayer::ProcessEvent(const SDL_Event& event) {
  const bool button = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP;
  if (button && ButtonIndex(event.button.button) >= 0) {
    buttons_.push_back(event.button);
    return;
  }
  if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) return ProcessKey(event);
  ImGui_ImplSDL2_ProcessEvent(&event);
}

void ImGuiLayer::ProcessKey(const SDL_Event& event) {
  if (event.type == SDL_KEYUP && keyPressed_) {
    releases_.push_back(event);
    return;
  }
  ImGui_ImplSDL2_ProcessEvent(&event);
  // The back end takes the modifiers as they are once every waiting event
  // has been read; the event's own are those held at this key.
  ImGuiIO& io = ImGui::GetIO();
  const Uint16 mod = event.key.keysym.mod;
  io.KeyShift = (mod & KMOD_SHIFT) != 0;
  io.KeyCtrl = (mod & KMOD_CTRL) != 0;
  io.KeyAlt = (mod & KMOD_ALT) != 0;
  io.KeySuper = (mod & KMOD_GUI) != 0;
  keyPressed_ = keyPressed_ || event.type == SDL_KEYDOWN;
}

bool ImGuiLayer::WantsMouse() const { return ImGui::GetIO().WantCaptureMouse; }
bool ImGuiLayer::WantsKeyboard() const { return ImGui::GetIO().WantCaptureKeyboard; }

void ImGuiLayer::BeginFrame() {
  ImGui_ImplSDLRenderer_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  // The back end reads the pointer from SDL's global mouse state, which on
  // X11 stops following the pointer while a button holds it captured, so a
  // dragged key would stay where it was pressed. The window's own motion
  // events always know where the pointer is.
  ImGuiIO& io = ImGui::GetIO();
  if (ImGui::IsMousePosValid(&io.MousePos)) {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    io.MousePos = ImVec2(float(x), float(y));
  }
  bool doubleClicks[3] = {};
  TakeButtons(doubleClicks);
  ImGui::NewFrame();
  for (int i = 0; i < 3; ++i)
    io.MouseDoubleClicked[i] = io.MouseDoubleClicked[i] || doubleClicks[i];
}

void ImGuiLayer::TakeButtons(bool doubleClicks[3]) {
  ImGuiIO& io = ImGui::GetIO();
  bool changed[3] = {};
  while (!buttons_.empty()) {
    const SDL_MouseButtonEvent& event = buttons_.front();
    const int i = ButtonIndex(event.button);
    if (changed[i]) break;  // the button's next change waits for the next frame
    changed[i] = true;
    down_[i] = event.state == SDL_PRESSED;
    if (down_[i]) {
      io.MousePos = ImVec2(float(event.x), float(event.y));
      doubleClicks[i] = event.clicks >= 2;
    }
    buttons_.pop_front();
  }
  for (int i = 0; i < 3; ++i) io.MouseDown[i] = down_[i];
}

void ImGuiLayer::EndFrame() {
  ImGui::Render();
  ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  keyPressed_ = false;
  std::vector<SDL_Event> releases;
  releases.swap(releases_);
  for (const SDL_Event& release : releases) ProcessKey(release);
}

}  // namespace tavrix::viewer
