#include "d3d8/StateProbe.h"

#include <cstring>
#include <iterator>

#include "render/DeviceStates.h"

namespace tavrix::windows_test {
namespace {

// The host's value of each state, at the index of its entry in
// kDeviceStates. Transforms take UnusualMatrix and the texture the probe's
// own instead.
constexpr DWORD kHostValues[] = {
    D3DTOP_SUBTRACT,                  // stage-0 alpha operation
    D3DCULL_CW,                       // cull mode
    TRUE,                             // lighting
    D3DZB_USEW,                       // z enable
    TRUE,                             // dither enable
    FALSE,                            // alpha-blend enable
    D3DBLEND_DESTCOLOR,               // source blend
    D3DBLEND_INVDESTALPHA,            // destination blend
    0,                                // projection
    0,                                // world
    0,                                // view
    D3DTOP_ADDSIGNED,                 // stage-0 colour operation
    D3DTA_TFACTOR,                    // colour argument 1
    D3DTA_SPECULAR,                   // colour argument 2
    D3DTA_TFACTOR,                    // alpha argument 1
    D3DTA_CURRENT,                    // alpha argument 2
    0,                                // texture
    D3DFVF_XYZRHW | D3DFVF_SPECULAR,  // vertex shader
};
static_assert(std::size(kHostValues) == std::size(kDeviceStates));

// A host value equal to the one the renderer sets would hide a missing
// restore.
constexpr bool HostValuesDifferFromParticleValues() {
  for (size_t i = 0; i < std::size(kDeviceStates); ++i) {
    const DeviceState& state = kDeviceStates[i];
    if (state.kind != DeviceStateKind::Transform && state.step != ParticleStep::LeftToDrawing &&
        kHostValues[i] == state.value)
      return false;
  }
  return true;
}
static_assert(HostValuesDifferFromParticleValues());

constexpr const char* kKindNames[] = {"render state", "stage-0 state", "transform",
                                      "texture of stage 0", "vertex shader"};
static_assert(std::size(kKindNames) == static_cast<size_t>(DeviceStateKind::VertexShader) + 1);

std::string Describe(const DeviceState& state) {
  std::string name = kKindNames[static_cast<int>(state.kind)];
  if (state.kind == DeviceStateKind::Texture || state.kind == DeviceStateKind::VertexShader)
    return name;
  return name + " " + std::to_string(state.id);
}

// Distinct for each entry, so that transforms restored into each other's
// place show too.
D3DMATRIX UnusualMatrix(size_t index) {
  const float seed = 3.25f + 7.5f * static_cast<float>(index);
  D3DMATRIX matrix;
  for (int i = 0; i < 16; ++i) matrix.m[i / 4][i % 4] = seed + 0.5f * static_cast<float>(i);
  return matrix;
}

}  // namespace

StateProbe::StateProbe(IDirect3DDevice8* device) : device_(device) {
  device_->CreateTexture(8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &hostTexture_);
}

StateProbe::~StateProbe() {
  device_->SetTexture(0, nullptr);
  if (hostTexture_) hostTexture_->Release();
}

void StateProbe::SetUnusualState() {
  for (size_t i = 0; i < std::size(kDeviceStates); ++i) {
    const DeviceState& state = kDeviceStates[i];
    if (state.kind == DeviceStateKind::Transform) {
      const D3DMATRIX matrix = UnusualMatrix(i);
      device_->SetTransform(TransformOf(state), &matrix);
    } else if (state.kind == DeviceStateKind::Texture) {
      device_->SetTexture(0, hostTexture_);
    } else {
      SetDwordState(device_, state, kHostValues[i]);
    }
  }
  hostTexture_->AddRef();
  hostReferences_ = hostTexture_->Release();
}

bool StateProbe::CameBack(size_t index) {
  const DeviceState& state = kDeviceStates[index];
  if (state.kind == DeviceStateKind::Transform) {
    D3DMATRIX matrix;
    const D3DMATRIX expected = UnusualMatrix(index);
    return SUCCEEDED(device_->GetTransform(TransformOf(state), &matrix)) &&
           std::memcmp(&matrix, &expected, sizeof matrix) == 0;
  }
  if (state.kind == DeviceStateKind::Texture) {
    IDirect3DBaseTexture8* texture = nullptr;
    device_->GetTexture(0, &texture);
    const bool same = texture == hostTexture_;
    if (texture) texture->Release();
    return same;
  }
  DWORD value = 0;
  return SUCCEEDED(GetDwordState(device_, state, &value)) && value == kHostValues[index];
}

std::vector<std::string> StateProbe::ChangedStates() {
  std::vector<std::string> changed;
  for (size_t i = 0; i < std::size(kDeviceStates); ++i)
    if (!CameBack(i)) changed.push_back(Describe(kDeviceStates[i]));
  // The renderer gave back the reference it took while saving the texture.
  hostTexture_->AddRef();
  if (hostTexture_->Release() != hostReferences_)
    changed.push_back("reference count of the host's texture");
  return changed;
}

}  // namespace tavrix::windows_test
