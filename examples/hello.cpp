// The smallest host without a device: the library hands every quad to the
// host's images, and these only count what they are given. It plays an
// effect for MS milliseconds (default 1500) in the frame times of a 60 Hz
// game and prints the quads of the last frame. Run it from the folder that
// holds the effect file and its image/ folder: `hello fire.eff 1500`.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

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
  const long timeMs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 1500;
  if (timeMs < 1 || timeMs > 3600000) {
    std::fprintf(stderr, "usage: hello [EFFECT [MS]], MS from 1 to 3600000\n");
    return 2;
  }
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
    const int32_t frameMs[] = {17, 17, 16};         // a 60 Hz game's frame times
    for (long played = 0, frame = 0; played < timeMs; ++frame) {
      const int32_t step =
          static_cast<int32_t>(std::min<long>(frameMs[frame % 3], timeMs - played));
      system->UpdateAll(step);
      played += step;
      loader.image.quads = 0;  // count the last frame's
      system->DrawAll();
    }
    std::printf("quads drawn: %ld\n", loader.image.quads);
    result = id < 0 ? id : 0;
  }
  system->Release();
  factory->Release();
  return result == 0 ? 0 : 1;
}
