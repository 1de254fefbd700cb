// Composing each texture level in a heap buffer and copying it into the
// locked level row by row, honouring the device's pitch.
#include "image/TextureBuilder.h"

#include <cstring>

namespace tavrix {
namespace {

uint32_t Clamp(uint32_t value, uint32_t size) { return value < size ? value : size - 1; }

uint32_t Mean4(uint32_t a, uint32_t b, uint32_t c, uint32_t d, int shift) {
  const uint32_t sum =
      ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) + ((d >> shift) & 0xFF);
  return ((sum + 2) / 4) << shift;
}

void PlaceLevel(const ImageLevel& source, uint32_t* destination, uint32_t width, uint32_t height) {
  const uint32_t copyWidth = source.width < width ? source.width : width;
  for (uint32_t y = 0; y < height; ++y) {
    uint32_t* row = destination + static_cast<uint64_t>(y) * width;
    if (y < source.height) {
      std::memcpy(row, source.pixels + static_cast<uint64_t>(y) * source.width,
                  copyWidth * sizeof(uint32_t));
    }
    const uint32_t from = y < source.height ? copyWidth : 0;
    std::memset(row + from, 0, (width - from) * sizeof(uint32_t));
  }
}

bool LevelSize(IDirect3DTexture8* texture, UINT level, UINT* width, UINT* height) {
  D3DSURFACE_DESC desc;
  if (FAILED(texture->GetLevelDesc(level, &desc))) return false;
  if (desc.Format != D3DFMT_A8R8G8B8 && desc.Format != D3DFMT_X8R8G8B8) return false;
  *width = desc.Width;
  *height = desc.Height;
  return WithinImageLimits(desc.Width, desc.Height);
}

HRESULT CopyToLevel(IDirect3DTexture8* texture, UINT level, const uint32_t* pixels, UINT width,
                    UINT height) {
  D3DLOCKED_RECT locked;
  const HRESULT result = texture->LockRect(level, &locked, nullptr, 0);
  if (FAILED(result)) return result;
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
  if (!locked.pBits || locked.Pitch < 0 || static_cast<size_t>(locked.Pitch) < rowBytes) {
    texture->UnlockRect(level);
    return D3DERR_INVALIDCALL;
  }
  auto* out = static_cast<uint8_t*>(locked.pBits);
  for (UINT y = 0; y < height; ++y) {
    std::memcpy(out + static_cast<size_t>(y) * locked.Pitch,
                pixels + static_cast<size_t>(y) * width, rowBytes);
  }
  return texture->UnlockRect(level);
}

}  // namespace

void ApplyColourKey(uint32_t* pixels, uint64_t count, D3DCOLOR colourKey) {
  if (colourKey == 0) return;
  for (uint64_t i = 0; i < count; ++i) {
    if (pixels[i] == colourKey) pixels[i] = 0;
  }
}

void BoxFilter(const uint32_t* source, uint32_t sourceWidth, uint32_t sourceHeight,
               uint32_t* destination, uint32_t width, uint32_t height) {
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* row0 = source + static_cast<uint64_t>(Clamp(2 * y, sourceHeight)) * sourceWidth;
    const uint32_t* row1 =
        source + static_cast<uint64_t>(Clamp(2 * y + 1, sourceHeight)) * sourceWidth;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t x0 = Clamp(2 * x, sourceWidth);
      const uint32_t x1 = Clamp(2 * x + 1, sourceWidth);
      uint32_t mean = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        mean |= Mean4(row0[x0], row0[x1], row1[x0], row1[x1], shift);
      }
      destination[static_cast<uint64_t>(y) * width + x] = mean;
    }
  }
}

HRESULT FillTexture(IDirect3DTexture8* texture, const ImageData& image, D3DCOLOR colourKey) {
  PixelBuffer current;
  PixelBuffer previous;
  UINT previousWidth = 0;
  UINT previousHeight = 0;
  const DWORD levels = texture->GetLevelCount();
  for (UINT level = 0; level < levels; ++level) {
    UINT width = 0;
    UINT height = 0;
    if (!LevelSize(texture, level, &width, &height)) return D3DERR_INVALIDCALL;
    if (!current.Allocate(static_cast<uint64_t>(width) * height)) return E_OUTOFMEMORY;
    if (level < image.LevelCount()) {
      PlaceLevel(image.Level(level), current.Data(), width, height);
      ApplyColourKey(current.Data(), current.Count(), colourKey);
    } else {
      BoxFilter(previous.Data(), previousWidth, previousHeight, current.Data(), width, height);
    }
    const HRESULT result = CopyToLevel(texture, level, current.Data(), width, height);
    if (FAILED(result)) return result;
    current.Swap(previous);
    previousWidth = width;
    previousHeight = height;
  }
  return D3D_OK;
}

}  // namespace tavrix
