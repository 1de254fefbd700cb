#include "TexturePanel.h"

#include <SDL_image.h>
#include <imgui.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "PanelLayout.h"
#include "Viewer.h"
#include "edit/FieldEdits.h"
#include "edit/FrameEdits.h"
#include "edit/RecordAccess.h"

namespace tavrix::viewer::editor {
namespace {

constexpr float kSheetSide = 160, kPreviewSide = 64;
constexpr ImU32 kFrameColour = IM_COL32(80, 220, 255, 200),
                kShownColour = IM_COL32(255, 200, 80, 255);

std::vector<std::string> ImageNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
    if (extension == ".png" || extension == ".tga" || extension == ".bmp" || extension == ".jpg")
      names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<edit::Frame> FramesOf(const edit::Json& block) {
  std::vector<edit::Frame> frames;
  for (const edit::Json& f : block.value("frames", edit::Json::array()))
    if (f.is_array() && f.size() == 4 &&
        std::all_of(f.begin(), f.end(), [](const edit::Json& n) { return n.is_number(); }))
      frames.push_back(
          {f[0].get<float>(), f[1].get<float>(), f[2].get<float>(), f[3].get<float>()});
  return frames;
}

// The frame the animation shows now: the cycle spread evenly over the frames.
size_t FrameNow(const edit::Json& emitter, const edit::Json& block, size_t count) {
  if (!edit::FlagOf(emitter.value("animated", edit::Json(0))))
    return std::min(size_t(std::max(block.value("frameIndex", 0), 0)), count - 1);
  const double cycle = std::max(block.value("cycleLength", 1.0), 0.001);
  return size_t(std::fmod(ImGui::GetTime(), cycle) / cycle * double(count)) % count;
}

// The whole texture in its own proportions, its longer side kSheetSide.
ImVec2 SheetSize(SDL_Texture* texture) {
  int width = 1, height = 1;
  SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
  const float scale = kSheetSide / float(std::max(std::max(width, height), 1));
  return {float(width) * scale, float(height) * scale};
}

}  // namespace

SDL_Texture* TexturePanel::Texture(SDL_Renderer* renderer, const std::string& name) {
  auto found = textures_.find(name);
  if (found == textures_.end())
    found = textures_.emplace(name, IMG_LoadTexture(renderer, (imageFolder_ + "/" + name).c_str()))
                .first;
  return found->second.get();
}

void TexturePanel::Picker(int emitter, const std::string& current) {
  if (!ImGui::BeginCombo("texture", current.c_str())) return;
  if (ImGui::IsWindowAppearing()) names_ = ImageNames(imageFolder_);
  for (const std::string& name : names_)
    if (ImGui::Selectable(name.c_str(), name == current))
      session_->Apply(edit::SetTexture(emitter, name));
  ImGui::EndCombo();
}

void TexturePanel::Grid(int emitter) {
  ImGui::PushItemWidth(70);
  ImGui::InputInt("columns", &columns_, 0);
  ImGui::SameLine();
  ImGui::InputInt("rows", &rows_, 0);
  ImGui::SameLine();
  ImGui::InputInt("cells (0: all)", &count_, 0);
  ImGui::PopItemWidth();
  if (ImGui::Button("Frames from the grid"))
    session_->Apply(edit::GridFrames(emitter, columns_, rows_, count_));
}

void TexturePanel::Draw(Viewer& viewer) {
  PlaceNextPanel(PanelPlace::Texture);
  ImGui::SetNextWindowCollapsed(true, ImGuiCond_FirstUseEver);
  ImGui::Begin("Texture and frames");
  try {
    Body(viewer);
  } catch (const edit::Refusal& refusal) {
    ImGui::TextWrapped("%s", refusal.message.c_str());
  } catch (const edit::Json::exception& e) {
    ImGui::TextWrapped("The frame block is not as the library writes it: %s", e.what());
  }
  ImGui::End();
}

void TexturePanel::Body(Viewer& viewer) {
  const int emitter = session_->emitter;
  // Copies: an edit below replaces the record they would point into.
  const edit::Json object = edit::EmitterAt(session_->Record(), emitter);
  if (edit::IsSubEffect(object)) {
    ImGui::TextUnformatted("A nested effect has no texture.");
    return;
  }
  const edit::Json block = edit::FrameBlock(object);
  ImGui::Text("%s", edit::EmitterLabel(session_->Record(), emitter).c_str());
  bool animated = edit::FlagOf(object.value("animated", edit::Json(0)));
  if (ImGui::Checkbox("frame animation", &animated))
    session_->Apply(edit::SetAnimated(emitter, animated));
  const std::string texture = block.value("textureName", "");
  Picker(emitter, texture);
  char setName[128] = {};
  std::strncpy(setName, block.value("frameSetName", "").c_str(), sizeof setName - 1);
  if (ImGui::InputText("frame set (Enter)", setName, sizeof setName,
                       ImGuiInputTextFlags_EnterReturnsTrue))
    session_->Apply(edit::SetFrameSetName(emitter, setName));
  Grid(emitter);

  const std::vector<edit::Frame> frames = FramesOf(block);
  SDL_Texture* image = Texture(viewer.Host().Target().renderer, texture);
  if (!image) {
    ImGui::TextDisabled("%s cannot be shown", texture.c_str());
  } else if (!frames.empty()) {
    const size_t shown = FrameNow(object, block, frames.size());
    const ImVec2 at = ImGui::GetCursorScreenPos(), sheet = SheetSize(image);
    ImGui::Image(image, sheet);
    ImDrawList& draw = *ImGui::GetWindowDrawList();
    for (size_t i = 0; i < frames.size(); ++i)
      draw.AddRect({at.x + frames[i].uLeft * sheet.x, at.y + frames[i].vTop * sheet.y},
                   {at.x + frames[i].uRight * sheet.x, at.y + frames[i].vBottom * sheet.y},
                   i == shown ? kShownColour : kFrameColour);
    ImGui::SameLine();
    const edit::Frame& frame = frames[shown];
    ImGui::Image(image, ImVec2(kPreviewSide, kPreviewSide), ImVec2(frame.uLeft, frame.vTop),
                 ImVec2(frame.uRight, frame.vBottom));
  }
  ImGui::Text("%zu frames", frames.size());
}

}  // namespace tavrix::viewer::editor
