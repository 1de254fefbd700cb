// The factory CreateParticleSystem hands out; it creates particle systems.
#pragma once

#include <cstdint>

#include "tavrix/IParticleSystem.h"

namespace tavrix {

class IParticleSystemFactory {
 public:
  virtual void Release() = 0;
  virtual IParticleSystem* CreateSystem() = 0;
  virtual int32_t Reserved2() = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleSystemFactory() = default;
};

}  // namespace tavrix
