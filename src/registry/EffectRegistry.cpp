// The registry's operations on its effects: loading under new identifiers,
// unloading, the per-effect operations by identifier, the walks of the
// update and draw calls, saving the first effect, and the copies of nested
// files that sub-effect emitters play.
#include "registry/EffectRegistry.h"

#include <climits>
#include <cstdio>
#include <new>

#include "base/Allocator.h"
#include "base/ProcessSlots.h"
#include "effectfile/Effect.h"
#include "effectfile/EffectFile.h"
#include "platform/FileAccess.h"
#include "simulation/SubEffectEmitter.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

int32_t EffectRegistry::LoadEffect(const char* path) {
  std::FILE* file = path ? OpenFile(path, "rb") : nullptr;
  if (!file) return EffectFileOpenFailed;
  // The last identifier stays unused so that every walk can name the one
  // after the current entry.
  void* memory = nextId_ < INT32_MAX ? AllocateBytes(sizeof(Effect)) : nullptr;
  if (!memory) {
    std::fclose(file);
    return EffectAllocFailed;
  }
  int32_t id = nextId_++;
  Effect* effect = new (memory) Effect(id, this);

  int32_t result = ReadEffectFile(file, *effect);
  if (result >= 0 && !effects_.PushBack(Entry{id, effect})) result = EffectAllocFailed;
  if (result < 0) {
    effect->Destroy(1);
    return result;
  }
  effect->RestoreElapsed();
  return id;
}

int32_t EffectRegistry::UnloadEffect(int32_t id) {
  uint32_t index = LowerBound(id);
  if (index < effects_.Size() && effects_[index].id == id) {
    Effect* effect = effects_[index].effect;
    effect->Stop(false);
    effect->Destroy(1);
    effects_.Erase(index);
  }
  return Success;
}

int32_t EffectRegistry::SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles) {
  Effect* effect = Find(id);
  if (!effect) return PositionNoEffect;
  effect->SetPosition(x, y, moveLiveParticles);
  return Success;
}

int32_t EffectRegistry::PlayEffect(int32_t id, uint32_t prewarmMs) {
  if (Effect* effect = Find(id)) effect->Start(prewarmMs, true);
  return Success;
}

int32_t EffectRegistry::ClearEffect(int32_t id) {
  if (Effect* effect = Find(id)) effect->ClearParticles();
  return Success;
}

int32_t EffectRegistry::AdvanceAllTo(int32_t timeMs) {
  for (const Entry& entry : effects_) {
    int32_t result = entry.effect->AdvanceTo(timeMs);
    if (result < 0) return result;
  }
  return Success;
}

// The listener may load and unload effects, so the walk goes by identifier
// rather than by position: after each notification it resumes at the first
// entry above the one that finished. Effects loaded during the walk are not
// advanced in it.
int32_t EffectRegistry::AdvanceAllBy(int32_t deltaMs) {
  const int32_t end = nextId_;
  uint32_t index = 0;
  while (index < effects_.Size() && effects_[index].id < end) {
    Entry entry = effects_[index];
    if (entry.effect->AdvanceBy(deltaMs) < 0) {
      NotifyFinished(entry.id);
      index = LowerBound(entry.id + 1);
    } else {
      ++index;
    }
  }
  return Success;
}

int32_t EffectRegistry::AdvanceEffectBy(int32_t id, int32_t deltaMs) {
  Effect* effect = Find(id);
  if (effect && effect->AdvanceBy(deltaMs) < 0) NotifyFinished(id);
  return Success;
}

int32_t EffectRegistry::DrawEffect(IParticleRenderer& renderer, int32_t id) {
  Effect* effect = Find(id);
  return effect ? effect->Draw(renderer) : Success;
}

int32_t EffectRegistry::DrawAll(IParticleRenderer& renderer) {
  for (const Entry& entry : effects_) {
    int32_t result = entry.effect->Draw(renderer);
    if (result < 0) return result;
  }
  return Success;
}

int32_t EffectRegistry::SaveFirstEffect(const char* path) {
  if (effects_.Empty()) return SaveNoEffect;
  if (!path) return SaveFileOpenFailed;
  return SaveEffectFile(*effects_[0].effect, path);
}

int32_t EffectRegistry::GetEffectWidth(int32_t id) {
  Effect* effect = Find(id);
  return effect ? effect->GetWidth() : DefaultEffectSize;
}

int32_t EffectRegistry::GetEffectHeight(int32_t id) {
  Effect* effect = Find(id);
  return effect ? effect->GetHeight() : DefaultEffectSize;
}

void EffectRegistry::NotifyFinished(int32_t id) {
  if (IEffectFinishListener* listener = CurrentFinishListener()) listener->OnEffectFinished(id);
}

IEffectRegistry::CopyOutcome EffectRegistry::LoadCopy(const EffectBase& parent, const char* path,
                                                      int32_t id, EffectBase*& copy) {
  std::FILE* file = path ? OpenFile(path, "rb") : nullptr;
  if (!file) return FileNotOpened;
  // The first copy for an emitter of a filed effect begins a new load of
  // nested files, which every copy below it draws on.
  if (parent.run.depth == 0 && id == 0) {
    copiesLeft_ = SubEffectEmitter::kMaxCopiesPerLoad;
    bytesLeft_ = SubEffectEmitter::kMaxCopyBytesPerLoad;
  }
  const long length = FileLength(file);
  Effect* made = copiesLeft_ > 0 && length >= 0 && length <= bytesLeft_
                     ? New<Effect>(id, this, parent.run.depth + 1)
                     : nullptr;
  if (!made) {
    std::fclose(file);
    return BoundReached;
  }
  --copiesLeft_;
  bytesLeft_ -= length;
  ReadEffectFile(file, *made);
  copy = made;
  return CopyMade;
}

}  // namespace tavrix
