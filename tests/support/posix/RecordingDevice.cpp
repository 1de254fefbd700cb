// The recording device and its textures: plain maps of state, a log of Set
// calls and copies of every vertex drawn.
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

D3DMATRIX IdentityMatrix() {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1.0f;
  return m;
}

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

RecordingDevice::~RecordingDevice() {
  if (texture0_) texture0_->Release();
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
  transforms_[state] = *matrix;
  sets.push_back({RecordedSet::Transform, static_cast<uint32_t>(state)});
  return D3D_OK;
}

HRESULT RecordingDevice::GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) {
  *matrix = TransformValue(state);
  return D3D_OK;
}

HRESULT RecordingDevice::SetViewport(const D3DVIEWPORT8* viewport) {
  viewport_ = *viewport;
  ++viewportSets_;
  sets.push_back({RecordedSet::Viewport, 0});
  return D3D_OK;
}

HRESULT RecordingDevice::GetViewport(D3DVIEWPORT8* viewport) {
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT RecordingDevice::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  renderStates_[state] = value;
  sets.push_back({RecordedSet::RenderState, static_cast<uint32_t>(state)});
  return D3D_OK;
}

HRESULT RecordingDevice::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
  *value = RenderStateValue(state);
  return D3D_OK;
}

HRESULT RecordingDevice::GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  *texture = texture0_;
  if (texture0_) texture0_->AddRef();
  return D3D_OK;
}

HRESULT RecordingDevice::SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  if (texture) texture->AddRef();
  if (texture0_) texture0_->Release();
  texture0_ = texture;
  sets.push_back({RecordedSet::Texture, 0});
  return D3D_OK;
}

HRESULT RecordingDevice::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD* value) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  *value = StageStateValue(type);
  return D3D_OK;
}

HRESULT RecordingDevice::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type,
                                              DWORD value) {
  if (stage != 0) return D3DERR_INVALIDCALL;
  stageStates_[type] = value;
  sets.push_back({RecordedSet::StageState, static_cast<uint32_t>(type)});
  return D3D_OK;
}

HRESULT RecordingDevice::DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitives,
                                         const void* vertices, UINT stride) {
  RecordedDraw draw{type,          primitives, stride, {}, TransformValue(D3DTS_WORLD),
                    vertexShader_, texture0_};
  const auto* bytes = static_cast<const uint8_t*>(vertices);
  for (UINT i = 0; i < primitives + 2; ++i) {
    RecordedVertex vertex;
    std::memcpy(&vertex, bytes + static_cast<size_t>(i) * stride, sizeof vertex);
    draw.vertices.push_back(vertex);
  }
  draws.push_back(draw);
  return D3D_OK;
}

HRESULT RecordingDevice::SetVertexShader(DWORD handle) {
  vertexShader_ = handle;
  sets.push_back({RecordedSet::VertexShader, 0});
  return D3D_OK;
}

HRESULT RecordingDevice::GetVertexShader(DWORD* handle) {
  *handle = vertexShader_;
  return D3D_OK;
}

DWORD RecordingDevice::RenderStateValue(D3DRENDERSTATETYPE state) const {
  auto found = renderStates_.find(state);
  return found == renderStates_.end() ? 0 : found->second;
}

DWORD RecordingDevice::StageStateValue(D3DTEXTURESTAGESTATETYPE type) const {
  auto found = stageStates_.find(type);
  return found == stageStates_.end() ? 0 : found->second;
}

D3DMATRIX RecordingDevice::TransformValue(D3DTRANSFORMSTATETYPE state) const {
  auto found = transforms_.find(state);
  return found == transforms_.end() ? IdentityMatrix() : found->second;
}

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
