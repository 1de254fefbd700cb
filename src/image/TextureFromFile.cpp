// Texture creation from an image file: read, decode, fit the size to the
// device, create the texture and fill its levels; and the D3DX operation
// that does it, which the library implements itself.
#include "image/TextureFromFile.h"

#include "image/Decoders.h"
#include "image/FileBytes.h"
#include "image/TextureBuilder.h"
#include "image/TextureLayout.h"

namespace tavrix {
namespace {

void DescribeSource(const ImageData& image, D3DXIMAGE_INFO* info) {
  if (!info) return;
  *info =
      D3DXIMAGE_INFO{image.Width(),    image.Height(),  1, image.LevelCount(), image.sourceFormat,
                     D3DRTYPE_TEXTURE, image.fileFormat};
}

}  // namespace

HRESULT CreateTextureFromFile(IDirect3DDevice8* device, const char* path,
                              const TextureRequest& request, D3DXIMAGE_INFO* info,
                              IDirect3DTexture8** texture) {
  if (!device || !path || !texture) return D3DERR_INVALIDCALL;
  FileBytes file;
  if (!file.Read(path)) return D3DERR_NOTAVAILABLE;
  ImageData image;
  HRESULT result = DecodeImage(file.Data(), file.Size(), &image);
  if (FAILED(result)) return result;
  DescribeSource(image, info);
  D3DCAPS8 caps{};
  result = device->GetDeviceCaps(&caps);
  if (FAILED(result)) return result;
  TextureLayout layout;
  result = ChooseTextureLayout(caps, image.Width(), image.Height(), request, &layout);
  if (FAILED(result)) return result;
  IDirect3DTexture8* created = nullptr;
  result = device->CreateTexture(layout.width, layout.height, layout.levels, request.usage,
                                 layout.format, request.pool, &created);
  if (FAILED(result)) return result;
  if (!created) return E_FAIL;
  result = FillTexture(created, image, request.colourKey);
  if (FAILED(result)) {
    created->Release();
    return result;
  }
  *texture = created;
  return D3D_OK;
}

}  // namespace tavrix

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice8* pDevice, const char* pSrcFile, UINT Width,
                                     UINT Height, UINT MipLevels, DWORD Usage, D3DFORMAT Format,
                                     D3DPOOL Pool, DWORD Filter, DWORD MipFilter, D3DCOLOR ColorKey,
                                     D3DXIMAGE_INFO* pSrcInfo, PALETTEENTRY* /*pPalette*/,
                                     IDirect3DTexture8** ppTexture) {
  const tavrix::TextureRequest request{Width, Height, MipLevels, Usage,   Format,
                                       Pool,  Filter, MipFilter, ColorKey};
  return tavrix::CreateTextureFromFile(pDevice, pSrcFile, request, pSrcInfo, ppTexture);
}
