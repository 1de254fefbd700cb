// The texture manager: creates frame sets and textures on first request,
// shares them through the cache and destroys each with its last reference.
#include "resources/TextureManager.h"

#include "base/Allocator.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"
#include "resources/NameTable.h"

namespace tavrix {
namespace {

TextureManager* currentManager = nullptr;

CTexture* CreateTexture(int32_t mode, const char* key) {
  if (mode == TextureManager::DeviceMode) return New<DeviceTexture>(key, key);
  if (mode == TextureManager::ImageLoaderMode) return New<ImageTexture>(key, key);
  return nullptr;
}

}  // namespace

TextureManager* CurrentTextureManager() { return currentManager; }

TextureManager::TextureManager(int32_t mode) : mode_(mode) { currentManager = this; }

TextureManager::~TextureManager() {
  if (currentManager == this) currentManager = nullptr;
}

SharedResource* TextureManager::Acquire(int32_t kind, const char* name) {
  if (kind != FrameSetKind && kind != TextureKind) return nullptr;
  const char* key = name ? InternName(name) : nullptr;
  if (!key) return nullptr;
  if (SharedResource* found = cache_.Find(kind, key)) {
    found->AddReference();
    return found;
  }
  SharedResource* created = nullptr;
  if (kind == FrameSetKind) {
    created = New<FrameSet>(key);
  } else if (CTexture* texture = CreateTexture(mode_, key)) {
    // A texture that fails to load is cached all the same and shows nothing.
    texture->Load();
    created = texture;
  }
  if (!created) return nullptr;
  if (!cache_.Insert(created)) {
    created->Destroy(1);
    return nullptr;
  }
  return created;
}

SharedResource* TextureManager::Find(int32_t kind, const char* name) {
  const char* key = name ? InternName(name) : nullptr;
  return key ? cache_.Find(kind, key) : nullptr;
}

void TextureManager::Release(SharedResource* resource) {
  if (!resource) return;
  if (resource->DropReference() > 0) return;
  cache_.Remove(resource);
  resource->Destroy(1);
}

}  // namespace tavrix
