// A host allocator for benchmarks: counts allocations and the bytes the
// library holds, as a host's memory tools would see them.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "tavrix/IParticleAllocator.h"

namespace tavrix::bench {

class MeasuringAllocator final : public IParticleAllocator {
 public:
  void* Allocate(uint32_t size) override {
    // The size rides in front of the block, so Free knows it.
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    ++allocations;
    bytes += size;
    return block + kHeader;
  }
  void Free(void* pointer) override {
    if (!pointer) return;
    unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
    uint32_t size;
    std::memcpy(&size, block, sizeof size);
    bytes -= size;
    std::free(block);
  }
  void* Destroy(unsigned int) override { return this; }

  uint64_t allocations = 0;
  uint64_t bytes = 0;

 private:
  static constexpr uint32_t kHeader = 16;
};

}  // namespace tavrix::bench
