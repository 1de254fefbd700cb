// A WebAssembly module built without shared memory has no threads: every
// update runs on the host's thread.
#include "platform/Threads.h"

namespace tavrix {

bool WorkerThreadsAvailable() { return false; }

}  // namespace tavrix
