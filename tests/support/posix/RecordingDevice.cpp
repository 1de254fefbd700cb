// The recording device and its textures: the state in the software device's
// store, a log of the Set calls it accepted and copies of every vertex drawn.
#include "support/posix/RecordingDevice.h"

#include <algorithm>
#include <cstring>

namespace tavrix::test {
namespace {

UINT Half(UINT size) { return size > 1 ? size / 2 : 1; }

UINT FullChain(UINT width, UINT height) {
  UINT levels = 1;
  for (UINT side = std::max(width, height); side > 1; side /= 2) ++levels;
  return levels;
}

}  // namespace

bool SameMatrix(const D3DMATRIX& a, const D3DMATRIX& b) {
  return std::memcmp(a.m, b.m, sizeof a.m) == 0;
}

RecordingTexture::RecordingTexture(RecordingDevice* device, UINT width, UINT height, UINT levels,
                                   D3DFORMAT format, D3DPOOL pool, DWORD usage)
    : device_(device), format_(format), pool_(pool), usage_(usage) {
  if (levels == 0) levels = FullChain(width, height);
  for (UINT i = 0; i < levels; ++i) {
    // Rows padded by three pixels, so a filler that ignores the pitch shows.
    levels_.push_back(Level{
        width, height,
        std::vector<uint32_t>((width + 3) * static_cast<size_t>(height), 0xDEADBEEFu), false});
    width = Half(width);
    height = Half(height);
  }
  ++device_->liveTextures;
  ++device_->createdTextures;
  device_->textures.push_back(this);
}

RecordingTexture::~RecordingTexture() {
  --device_->liveTextures;
  auto& all = device_->textures;
  all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

ULONG RecordingTexture::AddRef() { return ++references_; }

ULONG RecordingTexture::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT RecordingTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (level >= levels_.size() || !desc) return D3DERR_INVALIDCALL;
  const Level& l = levels_[level];
  *desc = D3DSURFACE_DESC{
      format_, D3DRTYPE_SURFACE, usage_, pool_, l.width * l.height * 4, D3DMULTISAMPLE_NONE,
      l.width, l.height};
  return D3D_OK;
}

HRESULT RecordingTexture::LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) {
  if (level >= levels_.size() || !locked || rect || levels_[level].locked) {
    return D3DERR_INVALIDCALL;
  }
  Level& l = levels_[level];
  l.locked = true;
  locked->Pitch = static_cast<int>((l.width + 3) * 4);
  locked->pBits = l.pixels.data();
  return D3D_OK;
}

HRESULT RecordingTexture::UnlockRect(UINT level) {
  if (level >= levels_.size() || !levels_[level].locked) return D3DERR_INVALIDCALL;
  levels_[level].locked = false;
  return D3D_OK;
}

uint32_t RecordingTexture::Pixel(UINT level, UINT x, UINT y) const {
  const Level& l = levels_[level];
  return l.pixels[static_cast<size_t>(y) * (l.width + 3) + x];
}

bool RecordingTexture::AnyLevelLocked() const {
  return std::any_of(levels_.begin(), levels_.end(), [](const Level& l) { return l.locked; });
}

RecordingDevice::RecordingDevice() { caps.TextureCaps = D3DPTEXTURECAPS_MIPMAP; }

RecordingDevice::~RecordingDevice() = default;

HRESULT RecordingDevice::Record(HRESULT result, RecordedSet::Kind kind, uint32_t id) {
  if (SUCCEEDED(result)) sets.push_back({kind, id});
  return result;
}

HRESULT RecordingDevice::GetDeviceCaps(D3DCAPS8* out) {
  if (!out) return D3DERR_INVALIDCALL;
  *out = caps;
  return D3D_OK;
}

HRESULT RecordingDevice::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                       D3DFORMAT format, D3DPOOL pool,
                                       IDirect3DTexture8** texture) {
  if (FAILED(createResult)) return createResult;
  if (!texture || width == 0 || height == 0) return D3DERR_INVALIDCALL;
  *texture = new RecordingTexture(this, width, height, levels, format, pool, usage);
  return D3D_OK;
}

HRESULT RecordingDevice::SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) {
  return Record(state_.SetTransform(state, matrix), RecordedSet::Transform, uint32_t(state));
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  return state_.GetTransform(state, matrix);
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  ++viewportSets_;
  return Record(state_.SetViewport(viewport), RecordedSet::Viewport);
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT8* viewport) {
  return state_.GetViewport(viewport);
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return Record(state_.SetRenderState(state, value), RecordedSet::RenderState, uint32_t(state));
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  return state_.GetRenderState(state, value);
}

HRESULT RecordingDevice::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
  return state_.GetTexture(stage, texture);
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  return Record(state_.SetTexture(stage, texture), RecordedSet::Texture);
}

HRESULT RecordingDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD* value) {
  return state_.GetTextureStageState(stage, type, value);
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD value) {
  return Record(state_.SetTextureStageState(stage, type, value), RecordedSet::StageState,
                uint32_t(type));
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitives,
                                         const void* vertices, UINT stride) {
  RecordedDraw draw{type,           primitives, stride, {}, {}, TransformValue(D3DTS_WORLD),
                    VertexShader(), Texture0()};
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  const UINT taken = type == D3DPT_TRIANGLELIST ? primitives * 3 : primitives + 2;
  draw.bytes.assign(bytes, bytes + static_cast<size_t>(taken) * stride);
  for (UINT i = 0; i < primitives + 2; ++i) {
    RecordedVertex vertex;
    std::memcpy(&vertex, bytes + static_cast<size_t>(i) * stride, sizeof vertex);
    draw.vertices.push_back(vertex);
  }
  draws.push_back(draw);
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(DWORD handle) {
  return Record(state_.SetVertexShader(handle), RecordedSet::VertexShader);
}

HRESULT RecordingDevice::GetVertexShader(DWORD* handle) { return state_.GetVertexShader(handle); }

void RecordingDevice::SetHostState() {
  SetRenderState(D3DRS_LIGHTING, TRUE);
  SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  SetRenderState(D3DRS_DITHERENABLE, TRUE);
  SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
  SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
  SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_CURRENT);
  SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_TFACTOR);
  SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG2);
  SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_SPECULAR);
  SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
  D3DMATRIX projection{};
  D3DMATRIX view{};
  D3DMATRIX world{};
  for (int i = 0; i < 16; ++i) {
    projection.m[i / 4][i % 4] = 1.0f + static_cast<float>(i);
    view.m[i / 4][i % 4] = 100.0f + static_cast<float>(i);
    world.m[i / 4][i % 4] = -1.0f - static_cast<float>(i);
  }
  SetTransform(D3DTS_PROJECTION, &projection);
  SetTransform(D3DTS_VIEW, &view);
  SetTransform(D3DTS_WORLD, &world);
  SetVertexShader(0x112);
  sets.clear();
}

}  // namespace tavrix::test
