// Image textures: obtained from the host's image loader when the particle
// system draws without a device.
#include <cstdio>

#include "base/Allocator.h"
#include "platform/Win32.h"
#include "resources/CTexture.h"
#include "resources/TextureManager.h"
#include "resources/TexturePath.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

// "创建图片失败" in code page 936, as the message box takes ANSI text.
const char kCreateFailedText[] = "\xB4\xB4\xBD\xA8\xCD\xBC\xC6\xAC\xCA\xA7\xB0\xDC";
const char kCreateFailedCaption[] = "ttt";

IParticleImageLoader* CurrentImageLoader() {
  TextureManager* manager = CurrentTextureManager();
  return manager ? manager->GetImageLoader() : nullptr;
}

}  // namespace

ImageTexture::~ImageTexture() { Unload(); }

void* ImageTexture::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

int32_t ImageTexture::Load() {
  Unload();
  char path[kTexturePathSize];
  if (!BuildTexturePath(Name(), path)) return TextureFileNotFound;
  if (IParticleImageLoader* loader = CurrentImageLoader()) image_ = loader->Load(path);
  if (!image_) {
    // The box's own words, then the file asked for: a host with many
    // textures can tell which one is missing.
    char text[sizeof kCreateFailedText + kTexturePathSize];
    std::snprintf(text, sizeof text, "%s\n%s", kCreateFailedText, path);
    MessageBoxA(nullptr, text, kCreateFailedCaption, MB_OK);
    Unload();
    return TextureLoadFailed;
  }
  return Success;
}

void ImageTexture::Unload() {
  if (!image_) return;
  if (IParticleImageLoader* loader = CurrentImageLoader()) loader->Release(image_);
  image_ = nullptr;
}

}  // namespace tavrix
