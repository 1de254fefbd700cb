// The smallest host without a device: the library hands every quad to the
// host's images, and these only count what they are given. Run it from the
// folder that holds the effect file and its image/ folder: `hello fire.eff`.
#include <cstdio>

#include "tavrix/ResultCodeNames.h"
#include "tavrix/tavrix.h"

namespace {

// Stands in for a game's sprite, which would draw source onto destination.
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

// Every texture path ("image\fire.png") gets the one image.
class CountingLoader final : public tavrix::IParticleImageLoader {
 public:
  tavrix::IParticleImage* Load(const char*) override { return &image; }
  void Release(tavrix::IParticleImage*) override {}
  CountingImage image;
};

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "fire.eff";
  std::printf("library version %d\n", GetParticleSystemVersion());
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  tavrix::IParticleSystem* system = factory ? factory->CreateSystem() : nullptr;
  if (!system) return 1;             // no memory
  CountingLoader loader;             // outlives the system, which gives its images back on Release
  HWND__ window = {0, 0, 640, 480};  // the window's client rectangle on POSIX
  int32_t result = system->Initialise(&window, nullptr, &loader);
  std::printf("Initialise without a device: %d\n", result);
  if (result == 0) {
    system->SetViewSize(640, 480, false);  // one view unit per pixel
    int32_t id = system->LoadEffect(path);
    std::printf("LoadEffect(%s): %d\n", path, id);
    if (id < 0) std::printf("%s: %s\n", path, tavrix::ResultCodeMeaning(id));
    system->SetEffectPosition(id, 320, 240, true);  // true: nested effects follow
    system->PlayEffect(id, 0);                      // an unknown id is no failure
    for (int frame = 0; frame < 90; ++frame) {      // 1.5 s of a 60 Hz game
      system->UpdateAll(frame % 3 == 2 ? 16 : 17);
      system->DrawAll();
    }
    std::printf("quads drawn: %ld\n", loader.image.quads);
    result = id < 0 ? id : 0;
  }
  system->Release();
  factory->Release();
  return result == 0 ? 0 : 1;
}
