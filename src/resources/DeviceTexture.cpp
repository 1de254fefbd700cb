// Device textures: loaded from image\ with D3DX on the current particle
// system's device, as 32-bit managed textures with a full mip chain and
// opaque pure red keyed out.
#include "base/Allocator.h"
#include "base/ProcessSlots.h"
#include "platform/D3DX.h"
#include "platform/Win32.h"
#include "resources/CTexture.h"
#include "resources/TexturePath.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

constexpr int kExistenceTests = 6;
constexpr D3DCOLOR kColourKey = 0xFFFF0000u;

bool FileExists(const char* path) {
  for (int attempt = 0; attempt < kExistenceTests; ++attempt) {
    WIN32_FIND_DATAA found;
    HANDLE handle = FindFirstFileA(path, &found);
    if (handle != INVALID_HANDLE_VALUE) {
      FindClose(handle);
      return true;
    }
  }
  return false;
}

}  // namespace

DeviceTexture::~DeviceTexture() { Unload(); }

void* DeviceTexture::Destroy(unsigned int flags) { return DestroyObject(this, flags); }

int32_t DeviceTexture::Load() {
  Unload();
  char path[kTexturePathSize];
  if (!BuildTexturePath(Name(), path) || !FileExists(path)) return TextureFileNotFound;
  const HRESULT result = D3DXCreateTextureFromFileExA(
      CurrentDevice(), path, 0, 0, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_NONE,
      D3DX_DEFAULT, kColourKey, nullptr, nullptr, &texture_);
  if (FAILED(result)) {
    Unload();
    return TextureLoadFailed;
  }
  return Success;
}

void DeviceTexture::Unload() {
  if (texture_) {
    texture_->Release();
    texture_ = nullptr;
  }
}

}  // namespace tavrix
