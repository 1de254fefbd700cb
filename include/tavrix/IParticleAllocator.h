// The host's memory allocator: every object of the library is allocated,
// constructed in place and freed through the current one. There is one
// current allocator per process, installed by CreateParticleSystem (null
// there gives one on malloc and free); a later call changes it only when no
// factory or system of the library is alive, so nothing is freed through an
// allocator that did not make it. A few working buffers (stream bytes,
// track keys, frame lists, decoded images) use the standard heap instead.
// The host owns the object and keeps it alive until its last system and
// factory are released.
#pragma once

#include <cstdint>

namespace tavrix {

class IParticleAllocator {
 public:
  // size bytes of raw memory, or null: the operation that asked fails with
  // its own result code.
  virtual void* Allocate(uint32_t size) = 0;
  // Gives back a pointer Allocate returned; never called with anything else.
  virtual void Free(void* pointer) = 0;
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  // The library never calls it on the host's allocator.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleAllocator() = default;
};

}  // namespace tavrix
