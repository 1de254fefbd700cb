// Threads come from the C++ runtime here.
#include "platform/Threads.h"

namespace tavrix {

bool WorkerThreadsAvailable() { return true; }

}  // namespace tavrix
