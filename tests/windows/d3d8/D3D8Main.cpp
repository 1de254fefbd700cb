// Plays sample effects through tavrix.dll on a real Direct3D 8 HAL device
// (the system's d3d8.dll; under wine, Mesa draws it) and checks what it drew.
//   compare <samples> <effect> <time ms> <reference.png> <output.png>
//     draws one frame with DrawAll, every saved state set to unusual values
//     before and checked after, and compares the back buffer with the
//     software device's frame (the reference); one effect per process, so
//     the library's random sequence starts from its seed as the reference's.
//   texture <samples> <work folder>
//     loads a colour-keyed texture through the library's own D3DX onto the
//     device and checks its mip chain and key.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "d3d8/ImageCompare.h"
#include "d3d8/RealDevice.h"
#include "d3d8/StateProbe.h"
#include "tavrix/tavrix.h"

namespace {

using namespace tavrix::windows_test;

constexpr int kSize = 256;
constexpr int32_t kStepMs = 33;  // the reference renderer's step at 30 frames a second
// Allowed differences between the real device and the software device; see
// the README's Windows section for why.
constexpr int kChannelThreshold = 24;
constexpr double kMaxDifferingShare = 0.02;
constexpr double kMaxMeanPerChannel = 1.5;

int failures = 0;

void Check(bool ok, const std::string& what) {
  if (ok) return;
  ++failures;
  std::printf("FAILED: %s\n", what.c_str());
}

std::string WindowsPath(const std::string& path) {
  std::string result = !path.empty() && path[0] == '/' ? "Z:" + path : path;
  std::replace(result.begin(), result.end(), '/', '\\');
  return result;
}

// A particle system on the device, its effect loaded, placed and playing.
class Playback {
 public:
  Playback(RealDevice& device, const std::string& effect) {
    factory_ = CreateParticleSystem(0, nullptr);
    system_ = factory_ ? factory_->CreateSystem() : nullptr;
    Check(system_ && system_->Initialise(device.Window(), device.Device(), nullptr) == 0,
          "Initialise with the real device");
    if (!system_) return;
    system_->SetViewSize(float(kSize), float(kSize), false);
    id_ = system_->LoadEffect(effect.c_str());
    Check(id_ >= 0, "LoadEffect(" + effect + ") = " + std::to_string(id_));
    system_->SetEffectPosition(id_, kSize / 2.0f, kSize / 2.0f, true);
    system_->PlayEffect(id_, 0);
  }
  ~Playback() {
    if (system_) system_->Release();
    if (factory_) factory_->Release();
  }
  void AdvanceTo(int32_t timeMs) {
    for (int32_t now = 0; now < timeMs; now += kStepMs)
      system_->UpdateAll(std::min(kStepMs, timeMs - now));
  }
  tavrix::IParticleSystem* System() { return system_; }
  int32_t Id() const { return id_; }

 private:
  tavrix::IParticleSystemFactory* factory_ = nullptr;
  tavrix::IParticleSystem* system_ = nullptr;
  int32_t id_ = -1;
};

int CompareFrame(RealDevice& device, const std::string& effect, int32_t timeMs,
                 const std::string& referencePath, const std::string& outputPath) {
  Pixels reference;
  Check(ReadPng(referencePath, reference), "reading the reference " + referencePath);
  Playback playback(device, effect);
  if (!playback.System() || playback.Id() < 0) return 1;
  playback.AdvanceTo(timeMs);
  IDirect3DDevice8* d3d = device.Device();
  StateProbe probe(d3d);
  d3d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000u, 1.0f, 0);
  d3d->BeginScene();
  probe.SetUnusualState();
  Check(playback.System()->DrawAll() == 0, "DrawAll");
  d3d->EndScene();
  for (const std::string& state : probe.ChangedStates()) Check(false, state + " was not restored");
  Pixels actual{kSize, kSize, device.ReadBackBuffer()};
  WritePng(outputPath, actual);
  const Difference difference = Compare(reference, actual, kChannelThreshold);
  std::printf("%s at %d ms: %.3f%% of pixels differ by more than %d, mean %.3f, largest %d\n",
              effect.c_str(), timeMs, difference.differingShare * 100, kChannelThreshold,
              difference.meanPerChannel, difference.largest);
  Check(difference.differingShare <= kMaxDifferingShare &&
            difference.meanPerChannel <= kMaxMeanPerChannel,
        "the frame differs from " + referencePath + " beyond the allowance; see " + outputPath);
  return failures;
}

// A 64 x 32 texture: the left half the colour key (opaque red), the right
// half opaque green.
bool WriteKeyedTexture(const std::string& path) {
  Pixels image{64, 32, std::vector<uint32_t>(64 * 32)};
  for (size_t i = 0; i < image.data.size(); ++i)
    image.data[i] = i % 64 < 32 ? 0xFFFF0000u : 0xFF00FF00u;
  return WritePng(path, image);
}

uint32_t Texel(IDirect3DTexture8* texture, UINT level, int x, int y) {
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(level, &locked, nullptr, D3DLOCK_READONLY))) return 0xDEADBEEFu;
  const uint32_t texel = reinterpret_cast<const uint32_t*>(
      static_cast<const uint8_t*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch)[x];
  texture->UnlockRect(level);
  return texel;
}

void CheckTexture(IDirect3DTexture8* texture) {
  Check(texture->GetLevelCount() == 7, "a full mip chain of 7 levels for 64 x 32, not " +
                                           std::to_string(texture->GetLevelCount()));
  for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(level, &desc);
    Check(desc.Width == std::max(1u, 64u >> level) && desc.Height == std::max(1u, 32u >> level) &&
              desc.Format == D3DFMT_A8R8G8B8,
          "size and format of level " + std::to_string(level));
  }
  Check(Texel(texture, 0, 3, 5) == 0, "the key colour becomes transparent black");
  Check(Texel(texture, 0, 60, 5) == 0xFF00FF00u, "other colours are kept");
  Check(Texel(texture, 1, 1, 2) == 0, "level 1 is made from the keyed level 0");
  Check(Texel(texture, 1, 30, 2) == 0xFF00FF00u, "level 1 keeps a uniform area's colour");
}

int CheckDeviceTexture(RealDevice& device, const std::string& samples, const std::string& work) {
  CreateDirectoryA(work.c_str(), nullptr);
  CreateDirectoryA((work + "\\image").c_str(), nullptr);
  for (const char* name : {"burst.eff", "burst_sparks.eff"})
    Check(CopyFileA((samples + "\\" + name).c_str(), (work + "\\" + name).c_str(), FALSE), name);
  for (const char* name : {"disc.png", "spark.png"})
    Check(WriteKeyedTexture(work + "\\image\\" + name), name);
  SetCurrentDirectoryA(work.c_str());
  Playback playback(device, "burst.eff");
  if (!playback.System() || playback.Id() < 0) return 1;
  playback.AdvanceTo(1200);
  // Inside an open frame the particle texture is still bound to stage 0.
  IDirect3DDevice8* d3d = device.Device();
  d3d->BeginScene();
  playback.System()->BeginFrame();
  playback.System()->DrawEffect(playback.Id());
  IDirect3DBaseTexture8* bound = nullptr;
  d3d->GetTexture(0, &bound);
  Check(bound && bound->GetType() == D3DRTYPE_TEXTURE, "a particle texture is bound");
  if (bound && bound->GetType() == D3DRTYPE_TEXTURE)
    CheckTexture(static_cast<IDirect3DTexture8*>(bound));
  if (bound) bound->Release();
  playback.System()->EndFrame();
  d3d->EndScene();
  return failures;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (!((mode == "compare" && argc == 7) || (mode == "texture" && argc == 4))) {
    std::fprintf(stderr,
                 "usage: %s compare <samples> <effect> <time ms> <reference.png> <output.png>\n"
                 "       %s texture <samples> <work folder>\n",
                 argv[0], argv[0]);
    return 2;
  }
  RealDevice device(kSize, kSize);
  if (!device.Ready()) {
    std::printf("FAILED: no Direct3D 8 HAL device (is an X display set?)\n");
    return 1;
  }
  const std::string samples = WindowsPath(argv[2]);
  if (mode == "texture")
    return CheckDeviceTexture(device, samples, WindowsPath(argv[3])) == 0 ? 0 : 1;
  SetCurrentDirectoryA(samples.c_str());
  const int failed =
      CompareFrame(device, argv[3], std::atoi(argv[4]), WindowsPath(argv[5]), WindowsPath(argv[6]));
  return failed == 0 ? 0 : 1;
}
