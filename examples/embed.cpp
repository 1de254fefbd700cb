// A host that draws: plays an effect on the software device for MS
// milliseconds (default 1500) in the frame times of a 60 Hz game and writes
// the last frame to embed.png, the picture of `tavrix render EFFECT --size
// 320x240 --time MS`. Run it from the folder that holds the effect file and
// its image/ folder: `embed fire.eff 1500`.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "tavrix/ResultCodeNames.h"
#include "tavrix/software/SoftwareDevice.h"
#include "tavrix/tavrix.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "fire.eff";
  const long timeMs = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 1500;
  if (timeMs < 1 || timeMs > 3600000) {
    std::fprintf(stderr, "usage: embed [EFFECT [MS]], MS from 1 to 3600000\n");
    return 2;
  }
  constexpr int32_t width = 320, height = 240;               // the window's client size
  tavrix::software::SoftwareDevice device({width, height});  // or the game's IDirect3DDevice8
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);  // default allocator
  tavrix::IParticleSystem* system = factory->CreateSystem();
  HWND__ window = {0, 0, width, height};          // the window's client rectangle on POSIX
  system->Initialise(&window, &device, nullptr);  // a device, or nullptr and an image loader
  system->SetViewSize(width, height, false);      // one view unit per pixel, not 120 x 90 units
  int32_t id = system->LoadEffect(path);
  if (id < 0) {
    std::fprintf(stderr, "%s: %s\n", path, tavrix::ResultCodeMeaning(id));
    return 1;
  }
  system->SetEffectPosition(id, width * 0.5f, height * 0.5f, true);  // true: nested effects follow
  system->PlayEffect(id, 0);
  const int32_t frameMs[] = {17, 17, 16};                     // a 60 Hz game's frame times
  for (long nowMs = 0, frame = 0; nowMs < timeMs; ++frame) {  // a game draws after each update
    const int32_t deltaMs = int32_t(std::min<long>(frameMs[frame % 3], timeMs - nowMs));
    system->UpdateAll(deltaMs);
    nowMs += deltaMs;
  }
  device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);  // the last frame
  system->DrawAll();
  system->Release();
  factory->Release();

  // The device's A8R8G8B8 pixels as RGBA bytes.
  std::vector<uint8_t> rgba;
  for (size_t i = 0; i < size_t(device.Width()) * device.Height(); ++i)
    for (int shift : {16, 8, 0, 24}) rgba.push_back(uint8_t(device.Pixels()[i] >> shift));
  if (!stbi_write_png("embed.png", int(device.Width()), int(device.Height()), 4, rgba.data(),
                      int(device.Width()) * 4))
    return 1;
  std::printf("embed.png: %lld pixels drawn\n", static_cast<long long>(device.PixelsDrawn()));
  return device.PixelsDrawn() > 0 ? 0 : 1;
}
