// The factory CreateParticleSystem hands out; it creates particle systems.
#pragma once

#include <cstdint>

#include "tavrix/IParticleSystem.h"

namespace tavrix {

class IParticleSystemFactory {
 public:
  // Destroys the factory and, once no system is left, the library's table
  // of names. Call it last, after releasing every system.
  virtual void Release() = 0;
  // A new particle system, not yet initialised (call its Initialise next),
  // or null when the allocator refused the memory.
  virtual IParticleSystem* CreateSystem() = 0;
  // Does nothing; returns 0.
  virtual int32_t Reserved2() = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  // Hosts call Release.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleSystemFactory() = default;
};

}  // namespace tavrix
