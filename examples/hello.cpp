// Creates a particle system, initialises it without a device and says what
// happened: the smallest host there is.
#include <cstdio>

#include "tavrix/tavrix.h"

int main() {
  std::printf("library version %d\n", GetParticleSystemVersion());
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  if (!factory) {
    std::printf("no factory\n");
    return 1;
  }
  tavrix::IParticleSystem* system = factory->CreateSystem();
  if (system) {
    HWND__ window = {0, 0, 640, 480};
    std::printf("Initialise without a device: %d\n", system->Initialise(&window, nullptr, nullptr));
    std::printf("effects loaded: %d\n", system->GetEffectCount());
    system->Release();
  }
  factory->Release();
  std::printf("released\n");
  return 0;
}
