// The interface through which an effect holds and drives its emitters, in
// its fixed slot order.
#pragma once

#include <cstdint>

#include "base/DataStream.h"
#include "render/IParticleRenderer.h"

namespace tavrix {

class EffectBase;

class IParticleEmitter {
 public:
  virtual void Release() = 0;
  virtual void Init(EffectBase* owner) = 0;
  virtual int32_t Read(IDataStream& stream) = 0;
  virtual void SetName(const char* text) = 0;
  virtual const char* GetName() = 0;
  virtual int32_t Draw(IParticleRenderer& renderer) = 0;
  virtual int32_t Restart(bool clear) = 0;
  virtual int32_t StopEmission() = 0;
  virtual int32_t Kill() = 0;
  virtual int32_t Clear() = 0;
  virtual int32_t Update(float dt) = 0;
  virtual bool IsEnabled() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual int32_t GetParticleCount() = 0;
  virtual int32_t Write(IDataStream& stream) = 0;
  virtual void SetParticleOffset(float x, float y) = 0;
  virtual int32_t SetBaseSpeed(float v) = 0;
  virtual int32_t SetBaseEmissionAngle(float v) = 0;
  virtual void SetPosition(float x, float y) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleEmitter() = default;
};

}  // namespace tavrix
