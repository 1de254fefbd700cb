// The library's image-loader interfaces for the browser: the page decodes
// each texture file itself, uploads it to WebGL and registers it here by
// name with its size; the library's images then only add their quads to the
// frame's vertex array. A page that fetches textures only once it knows
// their names asks for pending images: a name no registration matches then
// gets an image at once, which draws nothing until the name is registered.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FrameQuads.h"
#include "tavrix/IParticleImage.h"

namespace tavrix::web {

struct ImageInfo {
  int32_t texture;  // the page's handle
  int32_t width;
  int32_t height;
};

// Reads its registration each time, so that one made after the load shows.
class WebImage final : public IParticleImage {
 public:
  WebImage(const ImageInfo& info, FrameQuads& quads) : info_(info), quads_(quads) {}
  int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
               int32_t additive) override;
  int32_t GetWidth() override { return info_.width; }
  int32_t GetHeight() override { return info_.height; }

 private:
  const ImageInfo& info_;
  FrameQuads& quads_;
};

class WebImageLoader final : public IParticleImageLoader {
 public:
  explicit WebImageLoader(FrameQuads& quads) : quads_(quads) {}
  // name is the file's path as the page has it ("image/fire.png", or only
  // "fire.png" for a file opened alone); a later registration replaces one.
  void Register(const std::string& name, const ImageInfo& info);
  // What a name no registration matches gets; without one it gets no image.
  void SetFallback(const ImageInfo& info) { fallback_ = info; }
  // From now on a name no registration matches gets a pending image and is
  // listed in Pending() until taken.
  void DeferUnknown() { deferUnknown_ = true; }
  std::vector<std::string> TakePending() { return std::exchange(pending_, {}); }
  IParticleImage* Load(const char* path) override;
  void Release(IParticleImage* image) override;
  // The last path Load found no image for, empty when every one was found.
  const std::string& Missing() const { return missing_; }
  void ForgetMissing() { missing_.clear(); }

 private:
  std::map<std::string, ImageInfo> images_;
  FrameQuads& quads_;
  std::optional<ImageInfo> fallback_;
  std::string missing_;
  bool deferUnknown_ = false;
  std::vector<std::string> pending_;
};

}  // namespace tavrix::web
