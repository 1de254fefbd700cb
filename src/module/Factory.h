// The factory the host gets from CreateParticleSystem.
#pragma once

#include "tavrix/IParticleAllocator.h"
#include "tavrix/IParticleSystemFactory.h"

namespace tavrix {

// Installs the allocator (the default one for null), creates the name table
// and returns a new factory, or null when the allocator refuses.
IParticleSystemFactory* CreateFactory(IParticleAllocator* allocator);

}  // namespace tavrix
