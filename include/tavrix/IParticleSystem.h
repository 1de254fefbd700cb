// The particle system: the object through which the host loads, places,
// plays, advances and draws effects. The slot order is the binary interface.
#pragma once

#include <cstdint>

#include "tavrix/IEffectFinishListener.h"
#include "tavrix/IParticleImage.h"
#include "tavrix/platform/Direct3D8.h"
#include "tavrix/platform/Win32Types.h"

namespace tavrix {

class IParticleSystem {
 public:
  virtual void Release() = 0;
  virtual int32_t Initialise(HWND window, IDirect3DDevice8* device,
                             IParticleImageLoader* imageLoader) = 0;
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
  // Destroying destructor: bit 0 of flags asks for the memory to be freed.
  virtual void* Destroy(unsigned int flags) = 0;

 protected:
  ~IParticleSystem() = default;
};

}  // namespace tavrix
