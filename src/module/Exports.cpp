// The library's two exported functions.
#include "module/Factory.h"
#include "tavrix/tavrix.h"

extern "C" TAVRIX_EXPORT tavrix::IParticleSystemFactory* CreateParticleSystem(
    uint32_t, tavrix::IParticleAllocator* allocator) {
  return tavrix::CreateFactory(allocator);
}

extern "C" TAVRIX_EXPORT int32_t GetParticleSystemVersion() { return 1; }
