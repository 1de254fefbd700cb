// A game's side of the boundary, compiled the way the Microsoft compiler
// lays out classes and calls members (clang in the Microsoft ABI, no
// runtime type information, no exceptions, no library headers). It
// declares the interfaces from their slot tables, implements every
// host-supplied one and drives all 25 operations of IParticleSystem; a
// drifted slot shows up as a wrong answer or a call the host never expects.
#include "host/HostDeclarations.h"
#include "msabi/MsAbiSeam.h"

extern "C" __declspec(dllimport) host::IParticleSystemFactory* __cdecl CreateParticleSystem(
    uint32_t reserved, host::IParticleAllocator* allocator);
extern "C" __declspec(dllimport) int32_t __cdecl GetParticleSystemVersion();

namespace {

using namespace host;

int failures = 0;

void Check(long long got, long long expected, const char* what) {
  if (got == expected) return;
  ++failures;
  SeamFail(what, got, expected);
}

#define CHECK_EQ(got, expected) Check((got), (expected), #got)

// Every block carries a tag ahead of it, so a pointer this allocator never
// handed out is caught when the library frees it.
class TaggedAllocator : public IParticleAllocator {
 public:
  static constexpr uint32_t kTag = 0x54415658u;
  void* Allocate(uint32_t size) override {
    if (refuse) return nullptr;
    uint32_t* block = static_cast<uint32_t*>(SeamAllocate(size + 16));
    if (!block) return nullptr;
    block[0] = kTag;
    ++live;
    return block + 4;
  }
  void Free(void* pointer) override {
    if (!pointer) return;
    uint32_t* block = static_cast<uint32_t*>(pointer) - 4;
    CHECK_EQ(block[0], kTag);
    block[0] = 0;
    --live;
    SeamFree(block);
  }
  void* Destroy(unsigned int) override {
    ++destroyed;
    return this;
  }
  bool refuse = false;
  long live = 0;
  long destroyed = 0;
};

class Image : public IParticleImage {
 public:
  int32_t Draw(const Point* source, const Point* destination, uint32_t, int32_t) override {
    ++draws;
    for (int i = 0; i < 4; ++i) {
      if (source[i].x < 0 || source[i].x > 64 || source[i].y < 0 || source[i].y > 64) ++outside;
      if (destination[i].x < -1000 || destination[i].x > 1000) ++outside;
    }
    return 0;
  }
  int32_t GetWidth() override { return 64; }
  int32_t GetHeight() override { return 64; }
  long draws = 0;
  long outside = 0;
  bool loaded = false;
};

class ImageLoader : public IParticleImageLoader {
 public:
  IParticleImage* Load(const char* path) override {
    if (!path || !path[0] || count == kImages) return nullptr;
    images[count].loaded = true;
    return &images[count++];
  }
  void Release(IParticleImage* image) override {
    for (int i = 0; i < count; ++i) {
      if (image == &images[i] && images[i].loaded) {
        images[i].loaded = false;
        return;
      }
    }
    ++unknownReleases;
  }
  long Draws() const {
    long total = 0;
    for (int i = 0; i < count; ++i) total += images[i].draws;
    return total;
  }
  long Outside() const {
    long total = 0;
    for (int i = 0; i < count; ++i) total += images[i].outside;
    return total;
  }
  int StillLoaded() const {
    int total = 0;
    for (int i = 0; i < count; ++i) total += images[i].loaded ? 1 : 0;
    return total;
  }
  static constexpr int kImages = 16;
  Image images[kImages];
  int count = 0;
  long unknownReleases = 0;
};

class FinishListener : public IEffectFinishListener {
 public:
  void OnEffectFinished(int32_t id) override {
    ++calls;
    lastId = id;
  }
  long calls = 0;
  int32_t lastId = -1;
};

// Before Initialise every operation answers its guard code.
void DriveUninitialised() {
  TaggedAllocator allocator;
  IParticleSystemFactory* factory = CreateParticleSystem(12345, &allocator);
  CHECK_EQ(factory != nullptr, 1);
  if (!factory) return;
  CHECK_EQ(factory->Reserved2(), 0);
  IParticleSystem* system = factory->CreateSystem();
  CHECK_EQ(system != nullptr, 1);
  if (system) {
    CHECK_EQ(system->LoadEffect("none.eff"), -4000);
    CHECK_EQ(system->UnloadEffect(0), -3955);
    CHECK_EQ(system->SetEffectPosition(0, 1, 2, true), -3953);
    CHECK_EQ(system->PlayEffect(0, 0), -3960);
    CHECK_EQ(system->ClearEffect(0), -3958);
    CHECK_EQ(system->UpdateAllTo(10), -3956);
    CHECK_EQ(system->UpdateEffect(0, 10), -3956);
    CHECK_EQ(system->UpdateAll(10), -3956);
    CHECK_EQ(system->SaveEffect("out.eff"), -3951);
    CHECK_EQ(system->SetViewSize(800, 600, true), -3954);
    CHECK_EQ(system->DrawAll(), -3962);
    CHECK_EQ(system->GetEffectCount(), 0);
    // The destructor row, with the flag that frees: what Release does.
    CHECK_EQ(system->Destroy(1) == system, 1);
  }
  factory->Release();
  CHECK_EQ(allocator.live, 0);
}

// Particle.ini beside the executable switches effects off at Initialise.
void DriveSwitchedOff(void* window) {
  SeamWriteSwitchFile("[System]\r\nEnableParticle=0\r\n");
  IParticleSystemFactory* factory = CreateParticleSystem(0, nullptr);
  IParticleSystem* system = factory ? factory->CreateSystem() : nullptr;
  CHECK_EQ(system != nullptr, 1);
  if (system) {
    CHECK_EQ(system->Initialise(static_cast<WindowRecord*>(window), nullptr, nullptr), 0);
    CHECK_EQ(system->UpdateAll(10), -3938);
    CHECK_EQ(system->LoadEffect("x.eff"), -3938);
    CHECK_EQ(system->DrawAll(), -3938);
    system->Release();
  }
  if (factory) factory->Release();
  SeamWriteSwitchFile(nullptr);
}

void PlayAndDraw(IParticleSystem* system, int32_t id, const ImageLoader& loader) {
  CHECK_EQ(system->SetEffectPosition(id, 128, 128, true), 0);
  CHECK_EQ(system->PlayEffect(id, 0), 0);
  for (int frame = 0; frame < 90; ++frame) {
    CHECK_EQ(system->BeginFrame(), 0);
    CHECK_EQ(frame % 2 ? system->UpdateAll(16) : system->UpdateEffect(id, 16), 0);
    CHECK_EQ(frame % 2 ? system->DrawAll() : system->DrawEffect(id), 0);
    CHECK_EQ(system->EndFrame(), 0);
  }
  CHECK_EQ(loader.Draws() > 0, 1);
  CHECK_EQ(loader.Outside(), 0);
}

void DrivePlayback(void* window, const char* effectPath, const char* savePath) {
  TaggedAllocator allocator;
  ImageLoader loader;
  FinishListener listener;
  IParticleSystemFactory* factory = CreateParticleSystem(7, &allocator);
  IParticleSystem* system = factory ? factory->CreateSystem() : nullptr;
  CHECK_EQ(system != nullptr, 1);
  if (!system) return;
  CHECK_EQ(system->Initialise(static_cast<WindowRecord*>(window), nullptr, &loader), 0);
  CHECK_EQ(system->SetViewSize(256, 256, false), 0);
  system->SetFinishListener(&listener);
  const int32_t id = system->LoadEffect(effectPath);
  CHECK_EQ(id >= 0, 1);
  CHECK_EQ(system->GetEffectCount(), 1);
  CHECK_EQ(loader.count > 0, 1);
  CHECK_EQ(system->GetEffectWidth(id) > 0 && system->GetEffectHeight(id) > 0, 1);
  PlayAndDraw(system, id, loader);

  CHECK_EQ(system->SaveEffect(savePath), 0);
  const int32_t copy = system->LoadEffect(savePath);
  CHECK_EQ(copy > id, 1);
  CHECK_EQ(system->GetEffectCount(), 2);
  CHECK_EQ(system->UnloadEffect(copy), 0);
  CHECK_EQ(system->GetEffectCount(), 1);

  // The sample ends by itself, after 3 s: the listener hears its identifier.
  CHECK_EQ(system->UpdateAllTo(1500), 0);
  for (int step = 0; step < 40 && listener.calls == 0; ++step) system->UpdateAll(100);
  CHECK_EQ(listener.calls, 1);
  CHECK_EQ(listener.lastId, id);
  CHECK_EQ(system->ClearEffect(id), 0);
  CHECK_EQ(system->Reserved7(1, 2), 0);
  CHECK_EQ(system->Reserved15(3), 0);
  system->Reserved12();
  system->Reserved13();
  system->SetFinishListener(nullptr);
  system->Release();
  factory->Release();
  CHECK_EQ(loader.StillLoaded(), 0);
  CHECK_EQ(loader.unknownReleases, 0);
  CHECK_EQ(allocator.live, 0);
  CHECK_EQ(allocator.destroyed, 0);
}

}  // namespace

extern "C" int MsAbiHostRun(void* window, const char* effectPath, const char* savePath) {
  failures = 0;
  CHECK_EQ(GetParticleSystemVersion(), 1);
  TaggedAllocator refusing;
  refusing.refuse = true;
  CHECK_EQ(CreateParticleSystem(0, &refusing) == nullptr, 1);
  DriveUninitialised();
  DriveSwitchedOff(window);
  DrivePlayback(window, effectPath, savePath);
  return failures;
}
