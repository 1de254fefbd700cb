// Frame sets: the frames an emitter animates through and the one texture
// they show, held with a counted reference from the texture manager.
#include "resources/FrameSet.h"

#include <cstring>

#include "base/Allocator.h"
#include "resources/CTexture.h"
#include "resources/TextureManager.h"

namespace tavrix {

FrameSet::~FrameSet() {
  TextureManager* manager = CurrentTextureManager();
  if (texture_ && manager) manager->Release(texture_);
  texture_ = nullptr;
  frames_.Release();
  runs_.Release();
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

namespace {

uint64_t HashFrames(const Frame* frames, uint32_t count) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(frames);
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < count * sizeof(Frame); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

}  // namespace

bool FrameSet::AddRun(const Frame* frames, uint32_t count) {
  if (count == 0) return true;
  const uint64_t hash = HashFrames(frames, count);
  if (HoldsRun(frames, count, hash)) return true;
  const uint32_t start = frames_.Size();
  if (count > UINT32_MAX - start || !frames_.Reserve(start + count)) return false;
  for (uint32_t i = 0; i < count; ++i) frames_.PushBack(frames[i]);
  // A run left unrecorded is only never recognised again, which is how every
  // block behaved before runs were kept.
  if (runs_.Size() < kMaxRuns && runs_.PushBack(Run{start, count, hash})) framesInRuns_ += count;
  return true;
}

bool FrameSet::Holds(uint32_t start, const Frame* frames, uint32_t count) const {
  return std::memcmp(frames_.Data() + start, frames, count * sizeof(Frame)) == 0;
}

bool FrameSet::HoldsRun(const Frame* frames, uint32_t count, uint64_t hash) const {
  for (const Run& run : runs_) {
    if (run.count == count && run.hash == hash && Holds(run.start, frames, count)) return true;
  }
  return count == frames_.Size() && framesInRuns_ == count && Holds(0, frames, count);
}

Frame FrameSet::GetFrame(uint32_t index) const {
  if (index < frames_.Size()) return frames_[index];
  return Frame{0.0f, 0.0f, 1.0f, 1.0f};
}

}  // namespace tavrix
