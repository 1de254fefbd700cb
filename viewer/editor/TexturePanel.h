// Texture and frames of the selected emitter: a texture picked from the
// image folder and shown with its frames drawn on it, the frame set's name,
// frames made from a grid, and the frame animation played as the library
// would play it.
#pragma once

#include <SDL.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "EditorSession.h"
#include "Panel.h"

namespace tavrix::viewer::editor {

class TexturePanel : public Panel {
 public:
  TexturePanel(std::shared_ptr<EditorSession> session, std::string imageFolder)
      : session_(std::move(session)), imageFolder_(std::move(imageFolder)) {}
  void Draw(Viewer& viewer) override;

 private:
  struct TextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
  };
  // Loaded once and kept: null when the file is no image.
  SDL_Texture* Texture(SDL_Renderer* renderer, const std::string& name);
  void Body(Viewer& viewer);
  void Picker(int emitter, const std::string& current);
  void Grid(int emitter);

  std::shared_ptr<EditorSession> session_;
  std::string imageFolder_;
  std::vector<std::string> names_;  // the folder's images, read when the picker opens
  std::map<std::string, std::unique_ptr<SDL_Texture, TextureDeleter>> textures_;
  int columns_ = 2, rows_ = 2, count_ = 0;
};

}  // namespace tavrix::viewer::editor
