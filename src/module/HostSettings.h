// What the host sets in the Particle.ini beside its executable: whether
// effects run at all, and how many particle records the process may hold.
#pragma once

#include <cstdint>

namespace tavrix {

struct HostSettings {
  bool enabled;
  uint64_t maxParticles;
};

// MaxParticles is clamped to this: a bound on the memory a stray file can
// ask for (about 1.2 GB of records), far above any real scene.
constexpr uint64_t MaxParticlesCeiling = 5000000;

// [System] EnableParticle (default 1) and MaxParticles (default the pool's
// process budget) from the ini file at path; a missing file or key gives the
// default.
HostSettings ReadHostSettings(const char* path);

// The same, from Particle.ini beside the host executable.
HostSettings ReadHostSettings();

}  // namespace tavrix
