// The page's images by name, as the library asks for them while loading.
#include "WebImages.h"

#include <cctype>

namespace tavrix::web {
namespace {

// Effects name textures as written on Windows: backslashes and any letter
// case. Names compare with forward slashes, in lower case.
std::string Normalised(const std::string& path) {
  std::string name = path;
  for (char& c : name) c = c == '\\' ? '/' : char(std::tolower(static_cast<unsigned char>(c)));
  while (name.compare(0, 2, "./") == 0) name.erase(0, 2);
  return name;
}

std::string BaseName(const std::string& name) { return name.substr(name.rfind('/') + 1); }

}  // namespace

int32_t WebImage::Draw(const Point* source, const Point* destination, uint32_t colour,
                       int32_t additive) {
  if (info_.width <= 0 || info_.height <= 0) return 0;  // pending
  quads_.Add(info_.texture, info_.width, info_.height, source, destination, colour, additive);
  return 0;
}

// In place, so that the images already handed out see it.
void WebImageLoader::Register(const std::string& name, const ImageInfo& info) {
  images_[Normalised(name)] = info;
}

// The whole path first, then the file name alone, for textures opened
// without their folder.
IParticleImage* WebImageLoader::Load(const char* path) {
  const std::string name = Normalised(path ? path : "");
  auto found = images_.find(name);
  if (found == images_.end()) found = images_.find(BaseName(name));
  if (found == images_.end() && fallback_) return new WebImage(*fallback_, quads_);
  if (found == images_.end() && deferUnknown_) {
    pending_.push_back(name);
    found = images_.emplace(name, ImageInfo{-1, 0, 0}).first;
  }
  if (found == images_.end()) {
    missing_ = path ? path : "";
    return nullptr;
  }
  return new WebImage(found->second, quads_);
}

void WebImageLoader::Release(IParticleImage* image) { delete static_cast<WebImage*>(image); }

}  // namespace tavrix::web
