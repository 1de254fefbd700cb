// The library's host-facing interfaces as a separately compiled host would
// declare them: slot by slot, with no library header included.
#pragma once

#include <stdint.h>

namespace host {

struct WindowRecord {
  int32_t left, top, right, bottom;
};

struct Point {
  int32_t x, y;
};

class IParticleAllocator {
 public:
  virtual void* Allocate(uint32_t size) = 0;
  virtual void Free(void* pointer) = 0;
  virtual void* Destroy(unsigned int flags) = 0;
};

class IEffectFinishListener {
 public:
  virtual void OnEffectFinished(int32_t id) = 0;
};

class IParticleImage {
 public:
  virtual int32_t Draw(const Point* source, const Point* destination, uint32_t colour,
                       int32_t additive) = 0;
  virtual int32_t GetWidth() = 0;
  virtual int32_t GetHeight() = 0;
};

class IParticleImageLoader {
 public:
  virtual IParticleImage* Load(const char* path) = 0;
  virtual void Release(IParticleImage* image) = 0;
};

class IParticleSystem {
 public:
  virtual void Release() = 0;
  virtual int32_t Initialise(WindowRecord* window, void* device, IParticleImageLoader* loader) = 0;
  virtual int32_t SetViewSize(float width, float height, bool applyViewport) = 0;
  virtual int32_t LoadEffect(const char* path) = 0;
  virtual int32_t UnloadEffect(int32_t id) = 0;
  virtual int32_t SetEffectPosition(int32_t id, float x, float y, bool moveLiveParticles) = 0;
  virtual int32_t PlayEffect(int32_t id, uint32_t prewarmMs) = 0;
  virtual int32_t Reserved7(uint32_t a, uint32_t b) = 0;
  virtual int32_t ClearEffect(int32_t id) = 0;
  virtual int32_t UpdateAllTo(int32_t timeMs) = 0;
  virtual int32_t DrawEffect(int32_t id) = 0;
  virtual int32_t DrawAll() = 0;
  virtual void Reserved12() = 0;
  virtual void Reserved13() = 0;
  virtual int32_t SaveEffect(const char* path) = 0;
  virtual int32_t Reserved15(uint32_t a) = 0;
  virtual int32_t UpdateEffect(int32_t id, int32_t deltaMs) = 0;
  virtual int32_t UpdateAll(int32_t deltaMs) = 0;
  virtual void SetFinishListener(IEffectFinishListener* listener) = 0;
  virtual int32_t BeginFrame() = 0;
  virtual int32_t EndFrame() = 0;
  virtual int32_t GetEffectCount() = 0;
  virtual int32_t GetEffectWidth(int32_t id) = 0;
  virtual int32_t GetEffectHeight(int32_t id) = 0;
  virtual void* Destroy(unsigned int flags) = 0;
};

class IParticleSystemFactory {
 public:
  virtual void Release() = 0;
  virtual IParticleSystem* CreateSystem() = 0;
  virtual int32_t Reserved2() = 0;
  virtual void* Destroy(unsigned int flags) = 0;
};

using CreateFn = IParticleSystemFactory* (*)(uint32_t, IParticleAllocator*);
using VersionFn = int32_t (*)();

}  // namespace host
