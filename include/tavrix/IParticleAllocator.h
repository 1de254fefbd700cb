// The host's memory allocator: every object of the library is allocated,
// constructed in place and freed through the current one.
#pragma once

#include <cstdint>

namespace tavrix {

class IParticleAllocator {
 public:
  virtual void* Allocate(uint32_t size) = 0;
  virtual void Free(void* pointer) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleAllocator() = default;
};

}  // namespace tavrix
