// Enciphered effect files through the public interface, as a host meets
// them: load, play, twenty updates, draw through the host's image objects,
// save, unload. The same bytes also serve as the nested file that sub-effect
// emitters name ("nested.eff"), so files that name themselves are covered.
#include <cstddef>
#include <cstdint>

#include "FuzzBudget.h"
#include "FuzzWorkspace.h"
#include "NullImages.h"
#include "simulation/ParticlePool.h"
#include "tavrix/tavrix.h"

namespace {

void Play(tavrix::IParticleSystem& system) {
  int32_t id = system.LoadEffect("fuzz.eff");
  if (id < 0) return;
  system.PlayEffect(id, 100);
  for (int i = 0; i < 20; ++i) system.UpdateAll(50);
  system.DrawAll();
  system.SaveEffect("saved.eff");
  system.UnloadEffect(id);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavrix::fuzz::EnterWorkspace();
  tavrix::fuzz::WriteWorkspaceFile("fuzz.eff", data, size);
  tavrix::fuzz::WriteWorkspaceFile("nested.eff", data, size);
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  tavrix::IParticleSystem* system = factory->CreateSystem();
  HWND__ window = {0, 0, 320, 240};
  tavrix::fuzz::NullImageLoader loader;
  if (system->Initialise(&window, nullptr, &loader) == 0) {
    // After Initialise, which sets the host's budget from Particle.ini.
    tavrix::ParticlePool::SetProcessBudget(tavrix::fuzz::ParticleBudget);
    Play(*system);
  }
  system->Release();
  factory->Release();
  return 0;
}
