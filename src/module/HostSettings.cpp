// Reads the host's Particle.ini with the Windows profile rules.
#include "module/HostSettings.h"

#include <cstdio>
#include <cstring>

#include "platform/FileAccess.h"
#include "platform/Win32.h"
#include "simulation/ParticlePool.h"

namespace tavrix {
namespace {

HostSettings Defaults() { return {true, ParticlePool::DefaultProcessBudget, false}; }

}  // namespace

HostSettings ReadHostSettings(const char* path) {
  HostSettings settings;
  settings.enabled =
      static_cast<int32_t>(GetPrivateProfileIntA("System", "EnableParticle", 1, path)) > 0;
  // Read unsigned, as Windows returns it: a negative value such as -1 is a
  // very large one and takes the ceiling, the usual meaning of "no limit".
  const uint64_t records = GetPrivateProfileIntA(
      "System", "MaxParticles", static_cast<int>(ParticlePool::DefaultProcessBudget), path);
  settings.maxParticles = records < MaxParticlesCeiling ? records : MaxParticlesCeiling;
  settings.batchQuads =
      static_cast<int32_t>(GetPrivateProfileIntA("System", "BatchQuads", 0, path)) > 0;
  return settings;
}

HostSettings ReadHostSettings() {
  char executable[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, executable, MAX_PATH);
  for (size_t i = std::strlen(executable); i-- > 1;) {
    if (executable[i] == DirectorySeparator) {
      executable[i] = 0;
      break;
    }
  }
  char path[MAX_PATH] = {};
  int length = std::snprintf(path, MAX_PATH, "%s%cParticle.ini", executable, DirectorySeparator);
  // A path cut to fit would name some other file: read nothing, keep the defaults.
  if (length < 0 || length >= MAX_PATH) return Defaults();
  return ReadHostSettings(path);
}

}  // namespace tavrix
