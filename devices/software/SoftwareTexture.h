// A texture of the software device: A8R8G8B8 levels in memory, reference
// counted as Direct3D textures are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PixelState.h"
#include "tavrix/platform/Direct3D8.h"

namespace tavrix::software {

class SoftwareTexture final : public IDirect3DTexture8 {
 public:
  // levels 0 asks for the whole chain down to 1 x 1.
  SoftwareTexture(UINT width, UINT height, UINT levels);

  ULONG AddRef() override;
  ULONG Release() override;
  DWORD GetLevelCount() override;
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  // What the pixel pipeline samples.
  const TextureImage& Image() const { return image_; }
  ULONG References() const { return references_; }

 private:
  ~SoftwareTexture() = default;

  struct Level {
    UINT width, height;
    std::vector<uint32_t> texels;
  };
  std::vector<Level> levels_;
  std::vector<TextureLevel> views_;
  TextureImage image_;
  ULONG references_ = 1;
};

}  // namespace tavrix::software
