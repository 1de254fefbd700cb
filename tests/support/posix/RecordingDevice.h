// A Direct3D 8 device for tests: keeps every render state, stage state,
// transform, the stage-0 texture, the vertex shader and the viewport,
// records the vertices of each DrawPrimitiveUP and every Set call in order,
// and creates lockable in-memory textures whose references it counts.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "software/DeviceStateStore.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix::test {

class RecordingDevice;

class RecordingTexture final : public IDirect3DTexture8 {
 public:
  RecordingTexture(RecordingDevice* device, UINT width, UINT height, UINT levels, D3DFORMAT format,
                   D3DPOOL pool, DWORD usage);
  ~RecordingTexture();

  ULONG AddRef() override;
  ULONG Release() override;
  DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  ULONG References() const { return references_; }
  UINT Width(UINT level) const { return levels_[level].width; }
  UINT Height(UINT level) const { return levels_[level].height; }
  uint32_t Pixel(UINT level, UINT x, UINT y) const;
  bool AnyLevelLocked() const;
  D3DPOOL Pool() const { return pool_; }

 private:
  struct Level {
    UINT width;
    UINT height;
    std::vector<uint32_t> pixels;  // rows of pitch / 4 pixels
    bool locked;
  };

  RecordingDevice* device_;
  std::vector<Level> levels_;
  D3DFORMAT format_;
  D3DPOOL pool_;
  DWORD usage_;
  ULONG references_ = 1;
};

struct RecordedVertex {
  float x, y, z;
  uint32_t colour;
  float u, v;
};

struct RecordedDraw {
  D3DPRIMITIVETYPE type;
  UINT primitives;
  UINT stride;
  std::vector<RecordedVertex> vertices;  // primitives + 2 of them (strips)
  std::vector<uint8_t> bytes;            // every vertex the draw takes, as sent
  D3DMATRIX world;
  DWORD vertexShader;
  IDirect3DBaseTexture8* texture;
};

// One Set call, for checking the order of saving and restoring.
struct RecordedSet {
  enum Kind { RenderState, StageState, Transform, Texture, VertexShader, Viewport } kind;
  uint32_t id;  // the state, stage state or transform; 0 otherwise
};

class RecordingDevice final : public IDirect3DDevice8 {
 public:
  RecordingDevice();
  ~RecordingDevice();

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override { return --references_; }
  HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                        D3DPOOL pool, IDirect3DTexture8** texture) override;
  HRESULT Clear(DWORD, const D3DRECT*, DWORD, D3DCOLOR, float, DWORD) override { return D3D_OK; }
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
  HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
  HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
  HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitives, const void* vertices,
                          UINT stride) override;
  HRESULT SetVertexShader(DWORD handle) override;
  HRESULT GetVertexShader(DWORD* handle) override;

  // State as the device holds it (0 for anything never set).
  DWORD RenderStateValue(D3DRENDERSTATETYPE state) const { return state_.RenderState(state); }
  DWORD StageStateValue(D3DTEXTURESTAGESTATETYPE type) const { return state_.StageState(type); }
  D3DMATRIX TransformValue(D3DTRANSFORMSTATETYPE state) const { return state_.Transform(state); }
  IDirect3DBaseTexture8* Texture0() const { return state_.Texture(); }
  DWORD VertexShader() const { return state_.VertexShader(); }
  const D3DVIEWPORT8& ViewportValue() const { return state_.Viewport(); }
  int ViewportSets() const { return viewportSets_; }

  // Every state the device renderer touches, set to distinct host values.
  void SetHostState();

  D3DCAPS8 caps{0, 4096, 4096, 0};
  HRESULT createResult = D3D_OK;  // a failure makes CreateTexture fail
  int createdTextures = 0;
  int liveTextures = 0;
  std::vector<RecordedDraw> draws;
  std::vector<RecordedSet> sets;
  std::vector<RecordingTexture*> textures;  // every texture created, in order, while alive

 private:
  friend class RecordingTexture;

  // Records a Set call the state store accepted.
  HRESULT Record(HRESULT result, RecordedSet::Kind kind, uint32_t id = 0);

  ULONG references_ = 1;
  software::DeviceStateStore state_;
  int viewportSets_ = 0;
};

using software::IdentityMatrix;
bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b);

}  // namespace tavrix::test
