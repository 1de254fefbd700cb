// The host's particle budget: MaxParticles in Particle.ini, read with the
// profile rules, and what a host sees when the budget is raised, lowered or
// reached: fewer particles, never a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "TestPaths.h"
#include "module/HostSettings.h"
#include "simulation/Emitter.h"
#include "simulation/ParticlePool.h"
#include "support/EffectWorkloads.h"
#include "support/TempDir.h"

namespace tavrix {
namespace {

TEST(HostSettings, MaxParticlesIsReadClampedAndDefaulted) {
  struct Case {
    const char* ini;
    bool enabled;
    uint64_t maxParticles;
  } cases[] = {
      {nullptr, true, ParticlePool::kDefaultProcessBudget},
      {"[System]\nEnableParticle=0\n", false, ParticlePool::kDefaultProcessBudget},
      {"[system]\nmaxparticles=1000\n", true, 1000},
      {"[System]\nMaxParticles=2000000\nEnableParticle=1\n", true, 2000000},
      {"[System]\nMaxParticles=0\n", true, 0},
      {"[System]\nMaxParticles=lots\n", true, 0},
      // Negative values read as very large ones, as on Windows.
      {"[System]\nMaxParticles=-1\n", true, kMaxParticlesCeiling},
      {"[System]\nMaxParticles=99999999999\n", true, kMaxParticlesCeiling},
      {"[Other]\nMaxParticles=10\n", true, ParticlePool::kDefaultProcessBudget},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    const std::string path = c.ini ? dir.Write("Particle.ini", c.ini) : dir.File("Particle.ini");
    const HostSettings settings = ReadHostSettings(path.c_str());
    EXPECT_EQ(settings.enabled, c.enabled) << (c.ini ? c.ini : "no file");
    EXPECT_EQ(settings.maxParticles, c.maxParticles) << (c.ini ? c.ini : "no file");
  }
}

TEST(HostSettings, UpdateThreadsDefaultToOneAndStayWithinTheProcessors) {
  const uint32_t processors = std::max(1u, std::thread::hardware_concurrency());
  const std::pair<const char*, uint32_t> cases[] = {
      {"", 1},
      {"UpdateThreads=0\n", 1},
      {"UpdateThreads=-3\n", 1},
      {"UpdateThreads=2\n", std::min(2u, processors)},
      {"UpdateThreads=1000\n", std::min(processors, 16u)}};
  for (const auto& [line, threads] : cases) {
    test::TempDir dir;
    const std::string path = dir.Write("Particle.ini", std::string("[System]\n") + line);
    EXPECT_EQ(ReadHostSettings(path.c_str()).updateThreads, threads) << line;
  }
}

// emitters that each spawn their most in one update and keep every particle
// alive: one update puts emitters * kMaxSpawnPerUpdate particles on screen.
std::string CrowdEffect(const test::TempDir& dir, int emitters) {
  test::EmitterDesc flood = test::SteadyEmitter(1e7f, 1000.0f);
  flood.tracks[0].boundB = 1e8f;
  flood.tracks[1].boundB = 1e4f;
  std::vector<test::Bytes> records(emitters, test::EmitterRecord(flood));
  return test::WriteEffect(dir, "crowd.eff", test::EffectRecord(test::EffectOf(records, 1000.0f)));
}

// Particles drawn after one 17 ms update by the smallest example host, run
// from a folder with the given Particle.ini (none when empty).
long DrawnByHost(const std::string& ini, const std::string& effect) {
  test::TempDir dir;
  const std::filesystem::path host = std::filesystem::path(dir.Path()) / "hello";
  std::filesystem::copy_file(TAVRIX_HELLO_PATH, host);
  if (!ini.empty()) dir.Write("Particle.ini", ini);
  std::FILE* output = popen((host.string() + " " + effect + " 17").c_str(), "r");
  if (!output) return -1;
  long drawn = -1;
  char line[512];
  while (std::fgets(line, sizeof line, output)) std::sscanf(line, "quads drawn: %ld", &drawn);
  return pclose(output) == 0 ? drawn : -2;
}

constexpr long kSpawn = Emitter::kMaxSpawnPerUpdate;

TEST(ParticleBudgetHost, ParticleIniLowersTheBudgetAndTheHostDrawsFewer) {
  test::TempDir dir;
  const std::string effect = CrowdEffect(dir, 1);
  EXPECT_EQ(DrawnByHost("", effect), kSpawn);
  const long lowered = DrawnByHost("[System]\nMaxParticles=1000\n", effect);
  EXPECT_GT(lowered, 900);
  EXPECT_LE(lowered, 1000);
  EXPECT_EQ(DrawnByHost("[System]\nMaxParticles=0\n", effect), 0);
}

TEST(ParticleBudgetHost, ParticleIniRaisesTheBudgetPastTheDefault) {
  test::TempDir dir;
  const long emitters = static_cast<long>(ParticlePool::kDefaultProcessBudget) / kSpawn + 1;
  const std::string effect = CrowdEffect(dir, static_cast<int>(emitters));
  // Room for the emitters' whole blocks, which hold more records than live
  // particles so that a steady emitter never reallocates.
  const long budget = 2 * emitters * kSpawn;
  EXPECT_EQ(DrawnByHost("[System]\nMaxParticles=" + std::to_string(budget) + "\n", effect),
            emitters * kSpawn);
}

}  // namespace
}  // namespace tavrix
