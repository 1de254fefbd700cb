// The emitter that plays copies of another effect file inside its own
// effect: a random number of copies, each with a random base speed and
// emission angle, started together after a delay.
#pragma once

#include <cstdint>

#include "base/HostVector.h"
#include "simulation/EffectBase.h"
#include "simulation/IParticleEmitter.h"

namespace tavrix {

class SubEffectEmitter final : public IParticleEmitter {
 public:
  // Effect files may name each other in a cycle: copies are made only down
  // to this depth of nesting, at most this many per emitter, and at most
  // kMaxCopiesPerLoad copies read from at most kMaxCopyBytesPerLoad bytes of
  // nested files below each emitter of a loaded effect, all depths together
  // (the registry counts them). A copy past a bound is not made.
  static constexpr int32_t kMaxNestingDepth = 8;
  static constexpr int32_t kMaxCopiesPerEmitter = 256;
  static constexpr int32_t kMaxCopiesPerLoad = 4096;
  static constexpr long kMaxCopyBytesPerLoad = 16L << 20;

  SubEffectEmitter() = default;
  ~SubEffectEmitter();
  SubEffectEmitter(const SubEffectEmitter&) = delete;
  SubEffectEmitter& operator=(const SubEffectEmitter&) = delete;

  void Release() override;
  void Init(EffectBase* owner) override;
  int32_t Read(IDataStream& stream) override;
  void SetName(const char* text) override;
  const char* GetName() override { return name_; }
  int32_t Draw(IParticleRenderer& renderer) override;
  int32_t Restart(bool clear) override;
  int32_t StopEmission() override;
  int32_t Kill() override;
  int32_t Clear() override;
  int32_t Update(float dt) override;
  bool IsEnabled() override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  int32_t GetParticleCount() override;
  int32_t Write(IDataStream& stream) override;
  void SetParticleOffset(float x, float y) override;
  int32_t SetBaseSpeed(float v) override;
  int32_t SetBaseEmissionAngle(float v) override;
  void SetPosition(float x, float y) override;
  void* Destroy(unsigned int flags) override { return DestroyObject(this, flags); }

  uint32_t CopyCount() const { return copies_.Size(); }
  EffectBase* Copy(uint32_t index) const { return copies_[index]; }
  bool Started() const { return started_; }

 private:
  int32_t LoadCopies();
  IEffectRegistry::CopyOutcome LoadCopy(IEffectRegistry& registry, int32_t index);
  void DestroyCopies();

  bool enabled_ = true;
  HostVector<EffectBase*> copies_;
  const char* name_ = nullptr;
  const char* effectFile_ = nullptr;
  uint32_t version_ = 1;
  float copiesMin_ = 0.0f, copiesMax_ = 0.0f;
  float speedMin_ = 0.0f, speedMax_ = 0.0f;
  float angleMin_ = 0.0f, angleMax_ = 0.0f;
  EffectBase* owner_ = nullptr;
  float positionX_ = 0.0f, positionY_ = 0.0f;
  float startDelay_ = 0.0f;
  bool started_ = true;
  float countdown_ = 0.0f;
};

}  // namespace tavrix
