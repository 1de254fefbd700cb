// The Direct3D 8 subset the library draws and loads textures through. On
// Windows the real d3d8.h provides it; elsewhere these declarations stand in
// with Direct3D 8's own names, signatures and enumerator values.
#pragma once

#include "tavrix/platform/Win32Types.h"

#if defined(_WIN32)
#include <d3d8.h>
#else
struct IDirect3DDevice8;
struct IDirect3DTexture8;
#endif
