// The process-wide current allocator and the default one built on malloc.
#include "base/Allocator.h"

#include <cstdlib>

namespace tavrix {
namespace {

class MallocAllocator final : public IParticleAllocator {
 public:
  void* Allocate(uint32_t size) override { return std::malloc(size); }
  void Free(void* pointer) override { std::free(pointer); }
  void* Destroy(unsigned int) override { return this; }
};

MallocAllocator defaultAllocator;
IParticleAllocator* currentAllocator = nullptr;

}  // namespace

IParticleAllocator* CurrentAllocator() { return currentAllocator; }
void SetCurrentAllocator(IParticleAllocator* allocator) { currentAllocator = allocator; }
IParticleAllocator* DefaultAllocator() { return &defaultAllocator; }

void* AllocateBytes(uint32_t size) {
  return currentAllocator ? currentAllocator->Allocate(size) : nullptr;
}

void FreeBytes(void* pointer) {
  if (currentAllocator) currentAllocator->Free(pointer);
}

}  // namespace tavrix
