// The ini reader behind the switch file, on hostile files.
#include <cstddef>
#include <cstdint>

#include "FuzzWorkspace.h"
#include "platform/Win32.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavrix::fuzz::EnterWorkspace();
  tavrix::fuzz::WriteWorkspaceFile("Particle.ini", data, size);
  GetPrivateProfileIntA("System", "EnableParticle", 1, "Particle.ini");
  return 0;
}
