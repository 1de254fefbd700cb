// Whether the system can run threads of the library's own: the update's
// workers start only where it can.
#pragma once

namespace tavrix {

bool WorkerThreadsAvailable();

}  // namespace tavrix
