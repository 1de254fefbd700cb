// The device renderer: an orthographic projection over the logical view
// with y downwards, one world translation and one strip of two triangles
// per quad, and the host's device state saved and restored around it all.
#include "render/DeviceRenderer.h"

#include <cstring>

#include "base/Allocator.h"
#include "base/SafeConvert.h"
#include "platform/D3DX.h"
#include "platform/Win32.h"
#include "resources/CTexture.h"
#include "resources/FrameSet.h"

namespace tavrix {
namespace {

constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;  // 0x142

D3DXMATRIX Identity() {
  D3DXMATRIX identity;
  D3DXMatrixTranslation(&identity, 0.0f, 0.0f, 0.0f);
  return identity;
}

void SetStripUv(QuadVertex (&strip)[4], const UvRect& uv) {
  for (uint32_t k = 0; k < 4; ++k) {
    strip[k].u = StripU(uv, k);
    strip[k].v = StripV(uv, k);
  }
}

IDirect3DBaseTexture8* DeviceTextureOf(FrameSet* frameSet) {
  auto* texture = frameSet ? dynamic_cast<DeviceTexture*>(frameSet->Texture()) : nullptr;
  return texture ? texture->GetDeviceTexture() : nullptr;
}

DWORD ViewportSide(float side) {
  const int32_t truncated = TruncateToInt32(side);
  return truncated > 0 ? static_cast<DWORD>(truncated) : 0;
}

}  // namespace

DeviceRenderer::DeviceRenderer(IDirect3DDevice8* device, HWND window)
    : device_(device), window_(window), quadWorld_(Identity()) {
  RECT client{};
  GetClientRect(window_, &client);
  clientWidth_ = SaturateToInt32(static_cast<int64_t>(client.right) - client.left);
  clientHeight_ = SaturateToInt32(static_cast<int64_t>(client.bottom) - client.top);
  halfWidth_ = clientWidth_ >> 1;
  halfHeight_ = clientHeight_ >> 1;
}

DeviceRenderer::~DeviceRenderer() { ReleaseSavedTexture(); }

void* DeviceRenderer::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

int32_t DeviceRenderer::Bind(bool additive, FrameSet* frameSet) {
  Flush();
  device_->SetRenderState(D3DRS_DESTBLEND, additive ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
  device_->SetTexture(0, DeviceTextureOf(frameSet));
  return 0;
}

int32_t DeviceRenderer::DrawQuad(const QuadPoint* corners, const UvRect& uv, uint32_t colour,
                                 int32_t, float x, float y) {
  QuadVertex strip[4];
  for (uint32_t k = 0; k < 4; ++k) {
    const QuadPoint& corner = corners[kStripCorners[k]];
    strip[k] = QuadVertex{corner.x, corner.y, 0.0f, colour, StripU(uv, k), StripV(uv, k)};
  }
  DrawStrip(strip, x, y);
  return 0;
}

// The quads of a run as DrawQuad draws them, in one loop that holds little
// besides the device calls: the strip is the renderer's own and keeps its
// texture coordinates, so that when every quad of a run shares one uv only
// the positions and the colour change, four stores a quad; and without
// offsets the world translation is the same for every quad.
void DeviceRenderer::DrawQuads(const QuadRun& run) {
  const QuadRun quads = run;  // read once: the device could in principle reach it
  if (batchQuads_) {
    BatchRun(quads);
    return;
  }
  if (quads.uvPerQuad) {
    stripUvSet_ = false;
  } else {
    ShareStripUv(quads.uvs[0]);
  }
  IDirect3DDevice8* const device = device_;
  const float halfWidth = static_cast<float>(halfWidth_);
  const float halfHeight = static_cast<float>(halfHeight_);
  D3DMATRIX& world = quadWorld_;
  world._41 = 0.0f - halfWidth;
  world._42 = 0.0f - halfHeight;
  QuadVertex(&strip)[4] = strip_;
  for (uint32_t step = 0; step < quads.count; ++step) {
    const uint32_t i = quads.reversed ? quads.count - 1 - step : step;
    const uint32_t colour = quads.colours[i];
    if (colour == 0) continue;
    const float* const c = quads.corners + i;
    // z (0.0f, all bits clear) and the colour after it, as one word.
    const uint64_t depthAndColour = uint64_t{colour} << 32;
    for (int k = 0; k < 4; ++k) {
      const uint32_t row = 2 * kStripCorners[k];
      const float position[2] = {c[row * kRunQuads], c[(row + 1) * kRunQuads]};
      std::memcpy(&strip[k].x, position, sizeof position);
      std::memcpy(&strip[k].z, &depthAndColour, sizeof depthAndColour);
    }
    if (quads.uvPerQuad) SetStripUv(strip, quads.uvs[i]);
    if (quads.offsetX) {
      world._41 = quads.offsetX[i] - halfWidth;
      world._42 = quads.offsetY[i] - halfHeight;
    }
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetVertexShader(kVertexFormat);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(QuadVertex));
  }
}

// The strip's texture coordinates those of uv, written only when they
// change; compared by their bits, so that no value is taken for another.
void DeviceRenderer::ShareStripUv(const UvRect& uv) {
  if (stripUvSet_ && std::memcmp(&stripUv_, &uv, sizeof uv) == 0) return;
  SetStripUv(strip_, uv);
  stripUv_ = uv;
  stripUvSet_ = true;
}

void DeviceRenderer::DrawStrip(const QuadVertex (&strip)[4], float x, float y) {
  if (batchQuads_) {
    DrawBatched(strip, x, y);
    return;
  }
  // The translation D3DXMatrixTranslation would build: only the offset
  // changes from quad to quad.
  quadWorld_._41 = x - static_cast<float>(halfWidth_);
  quadWorld_._42 = y - static_cast<float>(halfHeight_);
  device_->SetTransform(D3DTS_WORLD, &quadWorld_);
  device_->SetVertexShader(kVertexFormat);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, strip, sizeof(QuadVertex));
}

void DeviceRenderer::DrawBatched(const QuadVertex (&strip)[4], float x, float y) {
  const float dx = x - static_cast<float>(halfWidth_);
  const float dy = y - static_cast<float>(halfHeight_);
  if (ScreenVertex* next = NextInBatch()) {
    batch_.Transform(next, strip, dx, dy);
    return;
  }
  // Without room even for one quad the quad goes alone.
  ScreenVertex list[QuadBatch::kVerticesPerQuad];
  batch_.Transform(list, strip, dx, dy);
  DrawList(list, 1);
}

// The visible quads of a run into the batch, their vertices placed for all
// of them at once.
void DeviceRenderer::BatchRun(const QuadRun& quads) {
  float screen[8 * kRunQuads];
  batch_.Place(quads, static_cast<float>(halfWidth_), static_cast<float>(halfHeight_), screen);
  for (uint32_t step = 0; step < quads.count; ++step) {
    const uint32_t i = quads.reversed ? quads.count - 1 - step : step;
    const uint32_t colour = quads.colours[i];
    if (colour == 0) continue;
    const UvRect& uv = quads.uvs[quads.uvPerQuad ? i : 0];
    if (ScreenVertex* next = NextInBatch()) {
      QuadBatch::Emit(next, screen, i, colour, uv);
      continue;
    }
    ScreenVertex list[QuadBatch::kVerticesPerQuad];
    QuadBatch::Emit(list, screen, i, colour, uv);
    DrawList(list, 1);
  }
}

// Room for a quad in the batch, which is drawn first when full; none when
// its storage cannot grow.
ScreenVertex* DeviceRenderer::NextInBatch() {
  if (ScreenVertex* next = batch_.Next()) return next;
  Flush();
  return batch_.Next();
}

void DeviceRenderer::DrawList(const ScreenVertex* vertices, uint32_t quads) {
  device_->SetVertexShader(QuadBatch::kVertexFormat);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, quads * 2, vertices, sizeof(ScreenVertex));
}

void DeviceRenderer::Flush() {
  if (batch_.QuadCount() == 0) return;
  DrawList(batch_.Vertices(), batch_.QuadCount());
  batch_.Clear();
}

// A second BeginFrame without an EndFrame keeps the host state saved by the
// first (the device now holds the particle state) and sets the particle
// state again.
int32_t DeviceRenderer::BeginFrame() {
  if (!frameOpen_) SaveHostState();
  frameOpen_ = true;
  SetParticleState();
  return 0;
}

void DeviceRenderer::SaveHostState() {
  for (size_t i = 0; i < std::size(kDeviceStates); ++i) Save(kDeviceStates[i], saved_[i]);
}

// The texture is cleared first: a device that writes nothing must leave no
// reference to give back.
void DeviceRenderer::Save(const DeviceState& state, SavedState& saved) {
  switch (state.kind) {
    case DeviceStateKind::Transform:
      device_->GetTransform(TransformOf(state), &saved.matrix);
      break;
    case DeviceStateKind::Texture:
      saved.texture = nullptr;
      device_->GetTexture(0, &saved.texture);
      break;
    default: GetDwordState(device_, state, &saved.value);
  }
}

void DeviceRenderer::SetParticleState() {
  D3DXMATRIX projection;
  D3DXMatrixOrthoLH(&projection, viewWidth_, -viewHeight_, 0.0f, 200.0f);
  if (batchQuads_) {
    D3DVIEWPORT8 current{};
    device_->GetViewport(&current);
    batch_.SetView(projection, current);
  }
  const D3DXMATRIX identity = Identity();
  for (uint8_t step = kFirstParticleStep; step <= kLastParticleStep; ++step) {
    for (const DeviceState& state : kDeviceStates) {
      if (static_cast<uint8_t>(state.step) == step) SetParticleValue(state, projection, identity);
    }
  }
}

void DeviceRenderer::SetParticleValue(const DeviceState& state, const D3DMATRIX& projection,
                                      const D3DMATRIX& identity) {
  if (state.kind == DeviceStateKind::Transform) {
    device_->SetTransform(TransformOf(state),
                          state.value == OrthoProjection ? &projection : &identity);
  } else {
    SetDwordState(device_, state, state.value);
  }
}

void DeviceRenderer::Restore(const DeviceState& state, const SavedState& saved) {
  switch (state.kind) {
    case DeviceStateKind::Transform:
      device_->SetTransform(TransformOf(state), &saved.matrix);
      break;
    case DeviceStateKind::Texture: device_->SetTexture(0, saved.texture); break;
    default: SetDwordState(device_, state, saved.value);
  }
}

void DeviceRenderer::ReleaseSavedTexture() {
  for (SavedState& saved : saved_) {
    if (saved.texture) saved.texture->Release();
    saved.texture = nullptr;
  }
}

// Without an open frame there is nothing saved to put back, and no texture
// reference to give back.
int32_t DeviceRenderer::EndFrame() {
  Flush();
  if (!frameOpen_) return 0;
  frameOpen_ = false;
  for (size_t i = 0; i < std::size(kDeviceStates); ++i) Restore(kDeviceStates[i], saved_[i]);
  ReleaseSavedTexture();
  return 0;
}

// A client area of zero width gives no aspect ratio to keep: a height of 0
// then makes the view square rather than dividing by zero.
int32_t DeviceRenderer::SetViewSize(float width, float height, bool applyViewport) {
  viewWidth_ = width;
  if (height != 0.0f) {
    viewHeight_ = height;
  } else if (clientWidth_ != 0) {
    viewHeight_ = static_cast<float>(clientHeight_) * width / static_cast<float>(clientWidth_);
  } else {
    viewHeight_ = width;
  }
  if (applyViewport) {
    // Quads batched so far belong to the old viewport.
    Flush();
    viewport_ = D3DVIEWPORT8{0, 0, ViewportSide(viewWidth_), ViewportSide(viewHeight_), 0.0f, 1.0f};
    device_->SetViewport(&viewport_);
    if (batchQuads_) batch_.SetView(batch_.Projection(), viewport_);
  }
  halfWidth_ = TruncateToInt32(viewWidth_ * 0.5f);
  halfHeight_ = TruncateToInt32(viewHeight_ * 0.5f);
  return 0;
}

}  // namespace tavrix
