// The factory: creates particle systems; its release destroys the name table.
#include "module/Factory.h"

#include "module/Allocator.h"

namespace tavrix {
namespace {

class ParticleSystemFactory final : public IParticleSystemFactory {
 public:
  void Release() override { Destroy(1); }
  IParticleSystem* CreateSystem() override { return nullptr; }
  int32_t Reserved2() override { return 0; }
  void* Destroy(unsigned int flags) override { return DestroyObject(this, flags); }
};

}  // namespace

IParticleSystemFactory* CreateFactory(IParticleAllocator* allocator) {
  SetCurrentAllocator(allocator ? allocator : DefaultAllocator());
  return New<ParticleSystemFactory>();
}

}  // namespace tavrix
