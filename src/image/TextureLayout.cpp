// Fitting an image's size to what the device accepts.
#include "image/TextureLayout.h"

#include "image/ImageLimits.h"

namespace tavrix {
namespace {

UINT Requested(UINT requested, uint32_t fromImage) {
  return (requested == 0 || requested == D3DX_DEFAULT) ? fromImage : requested;
}

// The device's largest side, 0 (unknown) taken as the library's own limit.
UINT Largest(DWORD deviceMax) {
  return (deviceMax == 0 || deviceMax > kMaxImageDimension) ? kMaxImageDimension : deviceMax;
}

// The smallest power of two at least size, or the largest one within
// largest when that would pass it.
UINT PowerOfTwo(UINT size, UINT largest) {
  UINT power = 1;
  while (power < size && power <= largest / 2) power *= 2;
  return power;
}

UINT Smaller(UINT a, UINT b) { return a < b ? a : b; }

}  // namespace

HRESULT ChooseTextureLayout(const D3DCAPS8& caps, uint32_t imageWidth, uint32_t imageHeight,
                            const TextureRequest& request, TextureLayout* layout) {
  D3DFORMAT format = request.format == D3DFMT_UNKNOWN ? D3DFMT_A8R8G8B8 : request.format;
  if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) return D3DERR_INVALIDCALL;
  const bool square = (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0;
  UINT maxWidth = Largest(caps.MaxTextureWidth);
  UINT maxHeight = Largest(caps.MaxTextureHeight);
  if (square) maxWidth = maxHeight = Smaller(maxWidth, maxHeight);
  UINT width = Smaller(Requested(request.width, imageWidth), maxWidth);
  UINT height = Smaller(Requested(request.height, imageHeight), maxHeight);
  if (square) width = height = width > height ? width : height;
  if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) {
    width = PowerOfTwo(width, maxWidth);
    height = PowerOfTwo(height, maxHeight);
  }
  if (!WithinImageLimits(width, height)) return E_OUTOFMEMORY;
  const UINT full = FullChainLevels(width, height);
  UINT levels = Requested(request.mipLevels, full);
  if (levels > full) levels = full;
  if (!(caps.TextureCaps & D3DPTEXTURECAPS_MIPMAP)) levels = 1;
  *layout = TextureLayout{width, height, levels, format};
  return D3D_OK;
}

}  // namespace tavrix
