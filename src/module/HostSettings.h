// What the host sets in the Particle.ini beside its executable: whether
// effects run at all, how many particle records the process may hold, and
// whether the device renderer batches its quads.
#pragma once

#include <cstdint>

namespace tavrix {

struct HostSettings {
  bool enabled;
  uint64_t maxParticles;
  bool batchQuads;
  uint32_t updateThreads;
};

// MaxParticles is clamped to this: a bound on the memory a stray file can
// ask for (about 560 MB of particles), far above any real scene.
constexpr uint64_t kMaxParticlesCeiling = 5000000;

// [System] EnableParticle (default 1), MaxParticles (default the pool's
// process budget), BatchQuads (default 0) and UpdateThreads (default 1, at
// most the processors there are) from the ini file at path; a missing file
// or key gives the default.
HostSettings ReadHostSettings(const char* path);

// The same, from Particle.ini beside the host executable.
HostSettings ReadHostSettings();

}  // namespace tavrix
