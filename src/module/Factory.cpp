// The factory: creates particle systems; its release ends the name table's
// life (see Lifetime.h for when exactly).
#include "module/Factory.h"

#include "base/Allocator.h"
#include "module/Lifetime.h"
#include "module/ParticleSystem.h"

namespace tavrix {
namespace {

class ParticleSystemFactory final : public IParticleSystemFactory {
 public:
  void Release() override {
    Destroy(1);
    EndFactory();
  }
  IParticleSystem* CreateSystem() override { return New<ParticleSystem>(); }
  int32_t Reserved2() override { return 0; }
  void* Destroy(unsigned int flags) override { return DestroyObject(this, flags); }
};

}  // namespace

IParticleSystemFactory* CreateFactory(IParticleAllocator* allocator) {
  BeginFactory(allocator);
  IParticleSystemFactory* factory = New<ParticleSystemFactory>();
  if (!factory) EndFactory();
  return factory;
}

}  // namespace tavrix
