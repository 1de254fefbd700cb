// The library's two exported functions.
#include "module/Factory.h"
#include "tavrix/tavrix.h"

extern "C" TAVRIX_EXPORT tavrix::IParticleSystemFactory* TAVRIX_CALL
CreateParticleSystem(uint32_t, tavrix::IParticleAllocator* allocator) {
  return tavrix::CreateFactory(allocator);
}

extern "C" TAVRIX_EXPORT int32_t TAVRIX_CALL GetParticleSystemVersion() { return 1; }
