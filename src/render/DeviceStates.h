// The device states the device renderer saves when a frame begins, sets for
// the particles and puts back when the frame ends, written once: saving and
// restoring walk the table in its order, setting walks it step by step, and
// the Windows test of the real device checks every state it names.
#pragma once

#include <cstdint>

#include "tavrix/platform/Direct3D8.h"

namespace tavrix {

// Which of the device's Get/Set pairs reads and writes a state.
enum class DeviceStateKind : uint8_t { RenderState, StageState, Transform, Texture, VertexShader };

// BeginFrame sets the particle state in these steps, in table order within
// each step. LeftToDrawing states keep the host's value until Bind
// (destination blend, texture) or DrawQuad (vertex shader) sets its own.
enum class ParticleStep : uint8_t { LeftToDrawing, Transforms, RenderStates, StageStates, Culling };

// The particle value of a transform.
enum ParticleMatrix : DWORD { OrthoProjection, IdentityTransform };

struct DeviceState {
  DeviceStateKind kind;
  DWORD id;  // the render state, stage-0 state or transform; 0 otherwise
  ParticleStep step;
  DWORD value;  // what BeginFrame sets: the state's value, or a ParticleMatrix
};

inline constexpr DeviceState kDeviceStates[] = {
    {DeviceStateKind::StageState, D3DTSS_ALPHAOP, ParticleStep::StageStates, D3DTOP_MODULATE},
    {DeviceStateKind::RenderState, D3DRS_CULLMODE, ParticleStep::Culling, D3DCULL_NONE},
    {DeviceStateKind::RenderState, D3DRS_LIGHTING, ParticleStep::RenderStates, FALSE},
    {DeviceStateKind::RenderState, D3DRS_ZENABLE, ParticleStep::RenderStates, D3DZB_FALSE},
    {DeviceStateKind::RenderState, D3DRS_DITHERENABLE, ParticleStep::RenderStates, FALSE},
    {DeviceStateKind::RenderState, D3DRS_ALPHABLENDENABLE, ParticleStep::RenderStates, TRUE},
    {DeviceStateKind::RenderState, D3DRS_SRCBLEND, ParticleStep::RenderStates, D3DBLEND_SRCALPHA},
    {DeviceStateKind::RenderState, D3DRS_DESTBLEND, ParticleStep::LeftToDrawing, 0},
    {DeviceStateKind::Transform, D3DTS_PROJECTION, ParticleStep::Transforms, OrthoProjection},
    {DeviceStateKind::Transform, D3DTS_WORLD, ParticleStep::Transforms, IdentityTransform},
    {DeviceStateKind::Transform, D3DTS_VIEW, ParticleStep::Transforms, IdentityTransform},
    {DeviceStateKind::StageState, D3DTSS_COLOROP, ParticleStep::StageStates, D3DTOP_MODULATE},
    {DeviceStateKind::StageState, D3DTSS_COLORARG1, ParticleStep::StageStates, D3DTA_TEXTURE},
    {DeviceStateKind::StageState, D3DTSS_COLORARG2, ParticleStep::StageStates, D3DTA_DIFFUSE},
    {DeviceStateKind::StageState, D3DTSS_ALPHAARG1, ParticleStep::StageStates, D3DTA_TEXTURE},
    {DeviceStateKind::StageState, D3DTSS_ALPHAARG2, ParticleStep::StageStates, D3DTA_DIFFUSE},
    {DeviceStateKind::Texture, 0, ParticleStep::LeftToDrawing, 0},
    {DeviceStateKind::VertexShader, 0, ParticleStep::LeftToDrawing, 0},
};

inline constexpr uint8_t kFirstParticleStep = static_cast<uint8_t>(ParticleStep::Transforms);
inline constexpr uint8_t kLastParticleStep = static_cast<uint8_t>(ParticleStep::Culling);

inline D3DTRANSFORMSTATETYPE TransformOf(const DeviceState& state) {
  return static_cast<D3DTRANSFORMSTATETYPE>(state.id);
}

// The Get and Set of a state the device holds as a DWORD: a render state, a
// stage-0 state or the vertex shader.
inline HRESULT GetDwordState(IDirect3DDevice8* device, const DeviceState& state, DWORD* value) {
  switch (state.kind) {
    case DeviceStateKind::RenderState:
      return device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(state.id), value);
    case DeviceStateKind::StageState:
      return device->GetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(state.id),
                                          value);
    case DeviceStateKind::VertexShader: return device->GetVertexShader(value);
    default: return D3DERR_INVALIDCALL;
  }
}

inline HRESULT SetDwordState(IDirect3DDevice8* device, const DeviceState& state, DWORD value) {
  switch (state.kind) {
    case DeviceStateKind::RenderState:
      return device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state.id), value);
    case DeviceStateKind::StageState:
      return device->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(state.id),
                                          value);
    case DeviceStateKind::VertexShader: return device->SetVertexShader(value);
    default: return D3DERR_INVALIDCALL;
  }
}

}  // namespace tavrix
