// What the library's process-wide objects live by: the allocator and the
// name table are shared by every factory and system, so they change only
// when nothing of the library is alive, and the name table outlives a
// factory released before its systems.
#pragma once

#include "tavrix/IParticleAllocator.h"

namespace tavrix {

// Called by CreateParticleSystem: installs allocator (the default one for
// null) and a fresh name table when nothing is alive; otherwise keeps both,
// so objects are never freed through an allocator that did not make them.
void BeginFactory(IParticleAllocator* allocator);
// Called by a factory's Release: the name table is destroyed now, or with
// the last particle system when systems are still alive.
void EndFactory();

void SystemCreated();
void SystemDestroyed();

}  // namespace tavrix
