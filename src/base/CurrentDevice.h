// The process-wide current-device slot: the device of the particle system
// initialised last, which texture loading uses.
#pragma once

#include "tavrix/platform/Direct3D8.h"

namespace tavrix {

IDirect3DDevice8* CurrentDevice();
void SetCurrentDevice(IDirect3DDevice8* device);

}  // namespace tavrix
