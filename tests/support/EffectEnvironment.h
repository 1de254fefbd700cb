// What effects need around them in a test: a counting host allocator, a
// current name table and texture manager, and a registry with its pool.
#pragma once

#include <memory>

#include "registry/EffectRegistry.h"
#include "resources/NameTable.h"
#include "support/CountingAllocator.h"

namespace tavrix {
class TextureManager;
}

namespace tavrix::test {

class EffectEnvironment {
 public:
  EffectEnvironment();
  ~EffectEnvironment();
  EffectEnvironment(const EffectEnvironment&) = delete;
  EffectEnvironment& operator=(const EffectEnvironment&) = delete;

  CountingAllocator& Allocator() { return scope_.allocator; }
  EffectRegistry& Registry() { return *registry_; }

 private:
  ScopedAllocator scope_;
  NameTable* previousTable_;
  std::unique_ptr<NameTable> names_;
  std::unique_ptr<EffectRegistry> registry_;
};

}  // namespace tavrix::test
