// Two process-wide slots, plain globals like the others (the allocator, the
// name table, the texture manager): the device of the particle system
// initialised last, which texture loading uses; and the one finish
// listener, set through any particle system, which hears about the effects
// of every system that end.
#pragma once

#include "tavrix/IEffectFinishListener.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix {

IDirect3DDevice8* CurrentDevice();
void SetCurrentDevice(IDirect3DDevice8* device);

IEffectFinishListener* CurrentFinishListener();
void SetCurrentFinishListener(IEffectFinishListener* listener);

}  // namespace tavrix
