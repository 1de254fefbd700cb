// A host linked against libtavrix.so as a game links it: plays one effect
// for one 50 ms update, draws it through image objects of its own and
// prints how many particles it drew. Tests copy it into a folder beside
// a Particle.ini of their choosing.
#include <cstdio>

#include "tavrix/tavrix.h"

namespace {

class CountingImage final : public tavrix::IParticleImage {
 public:
  int32_t Draw(const tavrix::Point*, const tavrix::Point*, uint32_t, int32_t) override {
    ++quads;
    return 0;
  }
  int32_t GetWidth() override { return 64; }
  int32_t GetHeight() override { return 64; }
  long quads = 0;
};

class OneImageLoader final : public tavrix::IParticleImageLoader {
 public:
  tavrix::IParticleImage* Load(const char*) override { return &image; }
  void Release(tavrix::IParticleImage*) override {}
  CountingImage image;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s EFFECT\n", argv[0]);
    return 2;
  }
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  tavrix::IParticleSystem* system = factory ? factory->CreateSystem() : nullptr;
  if (!system) return 3;
  HWND__ window = {0, 0, 640, 480};
  OneImageLoader loader;
  if (system->Initialise(&window, nullptr, &loader) != 0) return 4;
  const int32_t id = system->LoadEffect(argv[1]);
  if (id < 0 || system->PlayEffect(id, 0) != 0) return 5;
  system->UpdateAll(50);
  system->DrawAll();
  std::printf("%ld\n", loader.image.quads);
  system->Release();
  factory->Release();
  return 0;
}
