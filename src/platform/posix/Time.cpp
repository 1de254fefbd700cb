// timeGetTime: monotonic milliseconds, wrapping like the 32-bit original.
#include <time.h>

#include "platform/Win32.h"

DWORD timeGetTime() {
  timespec now;
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                            static_cast<unsigned long long>(now.tv_nsec) / 1000000ull);
}
