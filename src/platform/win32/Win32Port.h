// The Windows names the core uses, on Windows: the system's own, from its
// headers.
#pragma once

// windows.h, through the public types, comes before mmsystem.h.
#include "tavrix/platform/Win32Types.h"

#include <mmsystem.h>
#include <string.h>

namespace tavrix {

// The separator between a directory and a file name in the paths the core
// builds itself (the switch file beside the executable).
constexpr char kDirectorySeparator = '\\';

}  // namespace tavrix
