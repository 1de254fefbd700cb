// The Windows functions the core calls, under their Windows names and
// signatures. On Windows they are the system's; on POSIX, platform/posix/
// implements them. The port the build chooses supplies this header's
// declarations, so shared code includes this one.
#pragma once

#include "Win32Port.h"
