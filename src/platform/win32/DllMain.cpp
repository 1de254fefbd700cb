// The library's load and unload notifications. The default allocator and
// the seeded generator are static objects, which the C runtime constructs
// before this runs and destroys after the unload; the library wants no
// per-thread notifications.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(module);
  return TRUE;
}
