// Reads the host's Particle.ini with the Windows profile rules.
#include "module/HostSettings.h"

#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/FileAccess.h"
#include "platform/Win32.h"
#include "simulation/ParticlePool.h"
#include "simulation/UpdateWorkers.h"

namespace tavrix {
namespace {

HostSettings Defaults() { return {true, ParticlePool::kDefaultProcessBudget, false, 1}; }

// Beyond the processors there are, more threads only wait for each other.
uint32_t ThreadsWithin(uint32_t wanted) {
  uint32_t processors = std::thread::hardware_concurrency();
  if (processors > UpdateWorkers::kMaxThreads) processors = UpdateWorkers::kMaxThreads;
  if (wanted > processors) wanted = processors;
  return wanted > 0 ? wanted : 1;
}

}  // namespace

HostSettings ReadHostSettings(const char* path) {
  HostSettings settings;
  settings.enabled =
      static_cast<int32_t>(GetPrivateProfileIntA("System", "EnableParticle", 1, path)) > 0;
  // Read unsigned, as Windows returns it: a negative value such as -1 is a
  // very large one and takes the ceiling, the usual meaning of "no limit".
  const uint64_t records = GetPrivateProfileIntA(
      "System", "MaxParticles", static_cast<int>(ParticlePool::kDefaultProcessBudget), path);
  settings.maxParticles = records < kMaxParticlesCeiling ? records : kMaxParticlesCeiling;
  settings.batchQuads =
      static_cast<int32_t>(GetPrivateProfileIntA("System", "BatchQuads", 0, path)) > 0;
  const int32_t threads =
      static_cast<int32_t>(GetPrivateProfileIntA("System", "UpdateThreads", 1, path));
  settings.updateThreads = ThreadsWithin(threads > 0 ? static_cast<uint32_t>(threads) : 1);
  return settings;
}

HostSettings ReadHostSettings() {
  char executable[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, executable, MAX_PATH);
  for (size_t i = std::strlen(executable); i-- > 1;) {
    if (executable[i] == kDirectorySeparator) {
      executable[i] = 0;
      break;
    }
  }
  char path[MAX_PATH] = {};
  int length = std::snprintf(path, MAX_PATH, "%s%cParticle.ini", executable, kDirectorySeparator);
  // A path cut to fit would name some other file: read nothing, keep the defaults.
  if (length < 0 || length >= MAX_PATH) return Defaults();
  return ReadHostSettings(path);
}

}  // namespace tavrix
