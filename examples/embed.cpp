// A host that draws: plays an effect on the software device for one second
// and writes the last frame to embed.png. Run it from the folder that holds
// the effect file and its image/ folder: `embed fire.eff`.
#include <cstdint>
#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "tavrix/ResultCodeNames.h"
#include "tavrix/software/SoftwareDevice.h"
#include "tavrix/tavrix.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "fire.eff";
  tavrix::software::SoftwareDevice device({320, 240});  // or the game's IDirect3DDevice8
  tavrix::IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);  // default allocator
  tavrix::IParticleSystem* system = factory->CreateSystem();
  HWND__ window = {0, 0, 320, 240};               // the window's client rectangle on POSIX
  system->Initialise(&window, &device, nullptr);  // a device, or nullptr and an image loader
  int32_t id = system->LoadEffect(path);
  if (id < 0) {
    std::fprintf(stderr, "%s: %s\n", path, tavrix::ResultCodeMeaning(id));
    return 1;
  }
  system->SetEffectPosition(id, 160, 120, false);
  system->PlayEffect(id, 0);
  const int32_t deltaMs = 16;                     // the time since the last frame
  for (int frame = 0; frame < 60; ++frame) {      // every frame:
    system->UpdateAll(deltaMs);
    device.Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    system->DrawAll();
  }
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
