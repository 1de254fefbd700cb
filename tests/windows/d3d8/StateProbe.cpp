#include "d3d8/StateProbe.h"

#include <cstring>

namespace tavrix::windows_test {
namespace {

struct RenderState {
  const char* name;
  D3DRENDERSTATETYPE state;
  DWORD value;
};

// Each differs from what the particle renderer sets.
constexpr RenderState kRenderStates[] = {
    {"D3DRS_CULLMODE", D3DRS_CULLMODE, D3DCULL_CW},
    {"D3DRS_LIGHTING", D3DRS_LIGHTING, TRUE},
    {"D3DRS_ZENABLE", D3DRS_ZENABLE, D3DZB_USEW},
    {"D3DRS_DITHERENABLE", D3DRS_DITHERENABLE, TRUE},
    {"D3DRS_ALPHABLENDENABLE", D3DRS_ALPHABLENDENABLE, FALSE},
    {"D3DRS_SRCBLEND", D3DRS_SRCBLEND, D3DBLEND_DESTCOLOR},
    {"D3DRS_DESTBLEND", D3DRS_DESTBLEND, D3DBLEND_INVDESTALPHA},
};

struct StageState {
  const char* name;
  D3DTEXTURESTAGESTATETYPE state;
  DWORD value;
};

constexpr StageState kStageStates[] = {
    {"D3DTSS_COLOROP", D3DTSS_COLOROP, D3DTOP_ADDSIGNED},
    {"D3DTSS_COLORARG1", D3DTSS_COLORARG1, D3DTA_TFACTOR},
    {"D3DTSS_COLORARG2", D3DTSS_COLORARG2, D3DTA_SPECULAR},
    {"D3DTSS_ALPHAOP", D3DTSS_ALPHAOP, D3DTOP_SUBTRACT},
    {"D3DTSS_ALPHAARG1", D3DTSS_ALPHAARG1, D3DTA_TFACTOR},
    {"D3DTSS_ALPHAARG2", D3DTSS_ALPHAARG2, D3DTA_CURRENT},
};

struct Transform {
  const char* name;
  D3DTRANSFORMSTATETYPE state;
  float seed;
};

constexpr Transform kTransforms[] = {
    {"D3DTS_PROJECTION", D3DTS_PROJECTION, 3.25f},
    {"D3DTS_WORLD", D3DTS_WORLD, -7.5f},
    {"D3DTS_VIEW", D3DTS_VIEW, 11.125f},
};

constexpr DWORD kVertexShader = D3DFVF_XYZRHW | D3DFVF_SPECULAR;

D3DMATRIX UnusualMatrix(float seed) {
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
  for (const RenderState& s : kRenderStates) device_->SetRenderState(s.state, s.value);
  for (const StageState& s : kStageStates) device_->SetTextureStageState(0, s.state, s.value);
  for (const Transform& t : kTransforms) {
    const D3DMATRIX matrix = UnusualMatrix(t.seed);
    device_->SetTransform(t.state, &matrix);
  }
  device_->SetTexture(0, hostTexture_);
  device_->SetVertexShader(kVertexShader);
  hostTexture_->AddRef();
  hostReferences_ = hostTexture_->Release();
}

std::vector<std::string> StateProbe::ChangedStates() {
  std::vector<std::string> changed;
  DWORD value = 0;
  for (const RenderState& s : kRenderStates)
    if (FAILED(device_->GetRenderState(s.state, &value)) || value != s.value) changed.push_back(s.name);
  for (const StageState& s : kStageStates)
    if (FAILED(device_->GetTextureStageState(0, s.state, &value)) || value != s.value)
      changed.push_back(s.name);
  for (const Transform& t : kTransforms) {
    D3DMATRIX matrix;
    const D3DMATRIX expected = UnusualMatrix(t.seed);
    if (FAILED(device_->GetTransform(t.state, &matrix)) ||
        std::memcmp(&matrix, &expected, sizeof matrix) != 0)
      changed.push_back(t.name);
  }
  IDirect3DBaseTexture8* texture = nullptr;
  device_->GetTexture(0, &texture);
  if (texture != hostTexture_) changed.push_back("texture of stage 0");
  if (texture) texture->Release();
  // The renderer gave back the reference it took while saving the texture.
  hostTexture_->AddRef();
  if (hostTexture_->Release() != hostReferences_) changed.push_back("reference count of the host's texture");
  if (FAILED(device_->GetVertexShader(&value)) || value != kVertexShader)
    changed.push_back("vertex shader");
  return changed;
}

}  // namespace tavrix::windows_test
