// A host allocator for tests: counts every allocation and free, knows which
// blocks are live, and can refuse the k-th allocation to exercise failure
// paths.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <unordered_set>

#include "tavrix/IParticleAllocator.h"

namespace tavrix::test {

class CountingAllocator final : public IParticleAllocator {
 public:
  void* Allocate(uint32_t size) override {
    ++allocations;
    if (failAt != 0 && allocations == failAt) return nullptr;
    if (failAfter != 0 && allocations >= failAfter) return nullptr;
    void* p = std::malloc(size ? size : 1);
    live.insert(p);
    return p;
  }
  void Free(void* pointer) override {
    if (!pointer) return;
    ++frees;
    if (live.erase(pointer) == 0) ++foreignFrees;
    std::free(pointer);
  }
  void* Destroy(unsigned int) override { return this; }

  size_t LiveCount() const { return live.size(); }

  uint64_t allocations = 0;
  uint64_t frees = 0;
  uint64_t foreignFrees = 0;  // frees of blocks this allocator never handed out
  uint64_t failAt = 0;        // refuse exactly this allocation (1-based); 0 never
  uint64_t failAfter = 0;     // refuse this one and every later one; 0 never
  std::unordered_set<void*> live;
};

// Installs a counting allocator as the current one for a test's duration and
// puts the previous one back afterwards.
class ScopedAllocator {
 public:
  ScopedAllocator();
  ~ScopedAllocator();
  CountingAllocator allocator;

 private:
  IParticleAllocator* previous_;
};

}  // namespace tavrix::test
