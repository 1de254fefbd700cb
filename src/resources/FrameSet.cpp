// Frame sets: the frames an emitter animates through and the one texture
// they show, held with a counted reference from the texture manager.
#include "resources/FrameSet.h"

#include "module/Allocator.h"
#include "resources/CTexture.h"
#include "resources/TextureManager.h"

namespace tavrix {

FrameSet::~FrameSet() {
  TextureManager* manager = CurrentTextureManager();
  if (texture_ && manager) manager->Release(texture_);
  texture_ = nullptr;
  frames_.Release();
}

void* FrameSet::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

void FrameSet::SetTexture(const char* name) {
  TextureManager* manager = CurrentTextureManager();
  if (!manager) return;
  if (texture_ && manager->Find(TextureManager::TextureKind, name) == texture_) return;
  if (texture_) manager->Release(texture_);
  texture_ = static_cast<CTexture*>(manager->Acquire(TextureManager::TextureKind, name));
}

bool FrameSet::AddFrame(float uLeft, float vTop, float uRight, float vBottom) {
  return frames_.PushBack(Frame{uLeft, vTop, uRight, vBottom});
}

Frame FrameSet::GetFrame(uint32_t index) const {
  if (index < frames_.Size()) return frames_[index];
  return Frame{0.0f, 0.0f, 1.0f, 1.0f};
}

}  // namespace tavrix
