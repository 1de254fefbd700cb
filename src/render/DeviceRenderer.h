// Draws particles straight through the host's Direct3D 8 device, inside the
// host's own scene: BeginFrame saves every device state it changes and
// EndFrame puts the host's values back.
#pragma once

#include <cstdint>
#include <iterator>

#include "render/DeviceStates.h"
#include "render/IParticleRenderer.h"
#include "render/QuadBatch.h"
#include "tavrix/platform/Direct3D8.h"
#include "tavrix/platform/Win32Types.h"

namespace tavrix {

class DeviceRenderer final : public IParticleRenderer {
 public:
  // Reads the window's client size; nothing is sent to the device.
  DeviceRenderer(IDirect3DDevice8* device, HWND window);
  // Destroyed inside an open frame, the renderer restores nothing but gives
  // back the texture reference BeginFrame took, which would otherwise leak.
  ~DeviceRenderer();

  void Reset() override {}
  int32_t Bind(bool additive, FrameSet* frameSet) override;
  int32_t DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour, int32_t vertexCount,
                   float x, float y) override;
  int32_t BeginFrame() override;
  int32_t EndFrame() override;
  int32_t SetViewSize(float width, float height, bool applyViewport) override;
  void* Destroy(unsigned int flags) override;
  void DrawQuads(const QuadRun& run) override;

  // Opt-in: the quads of one Bind go to the device as one triangle list of
  // transformed vertices (in calls of at most QuadBatch::kMaxQuads quads)
  // instead of one strip and one world transform each. BeginFrame then also
  // reads the viewport, which the transformed vertices depend on.
  void SetBatchQuads(bool on) { batchQuads_ = on; }
  bool BatchQuads() const { return batchQuads_; }

  int32_t HalfWidth() const { return halfWidth_; }
  int32_t HalfHeight() const { return halfHeight_; }
  float ViewWidth() const { return viewWidth_; }
  float ViewHeight() const { return viewHeight_; }

 private:
  // The host's value of one device state, in the member its kind uses.
  struct SavedState {
    DWORD value = 0;
    D3DMATRIX matrix{};
    IDirect3DBaseTexture8* texture = nullptr;
  };

  void SaveHostState();
  void Save(const DeviceState& state, SavedState& saved);
  void SetParticleState();
  void SetParticleValue(const DeviceState& state, const D3DMATRIX& projection,
                        const D3DMATRIX& identity);
  void Restore(const DeviceState& state, const SavedState& saved);
  void ReleaseSavedTexture();
  void DrawBatched(const QuadVertex (&strip)[4], float x, float y);
  void BatchRun(const QuadRun& quads);
  ScreenVertex* NextInBatch();
  // One quad's strip, alone or into the batch.
  void DrawStrip(const QuadVertex (&strip)[4], float x, float y);
  void DrawList(const ScreenVertex* vertices, uint32_t quads);
  void Flush();
  void ShareStripUv(const UvRect& uv);

  IDirect3DDevice8* device_;
  HWND window_;
  int32_t halfWidth_ = 0;
  int32_t halfHeight_ = 0;
  int32_t clientWidth_ = 0;
  int32_t clientHeight_ = 0;
  float viewWidth_ = 120.0f;
  float viewHeight_ = 90.0f;
  D3DVIEWPORT8 viewport_{};
  // The world transform of the quad being drawn.
  D3DMATRIX quadWorld_;
  // One for each entry of kDeviceStates, at the same index.
  SavedState saved_[std::size(kDeviceStates)];
  // True from BeginFrame to EndFrame: only then is there host state to
  // put back.
  bool frameOpen_ = false;
  bool batchQuads_ = false;
  QuadBatch batch_;
  // The strip DrawQuads fills quad after quad, and the uv it holds when
  // stripUvSet_.
  QuadVertex strip_[4] = {};
  UvRect stripUv_{};
  bool stripUvSet_ = false;
};

}  // namespace tavrix
