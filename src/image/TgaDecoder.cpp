// TGA: the header is checked here, and the file must hold every pixel the
// header promises (for run-length files the packets are walked to see that
// they cover the image before the data runs out); the pixels then come
// from stb_image.
#include "image/ByteReader.h"
#include "image/Decoders.h"
#include "image/StbImage.h"

namespace tavrix {
namespace {

constexpr size_t kHeaderSize = 18;

struct TgaLayout {
  uint32_t imageType;
  uint32_t width;
  uint32_t height;
  uint32_t pixelBytes;  // bytes per stored pixel (or palette index)
  uint64_t dataOffset;
};

bool ReadLayout(const uint8_t* bytes, size_t size, TgaLayout* layout) {
  if (size < kHeaderSize) return false;
  const uint32_t imageType = bytes[2];
  const bool known = (imageType >= 1 && imageType <= 3) || (imageType >= 9 && imageType <= 11);
  if (!known) return false;
  const uint64_t paletteBytes = bytes[1] ? ReadU16(bytes + 5) * ((bytes[7] + 7u) / 8u) : 0;
  *layout = TgaLayout{imageType, ReadU16(bytes + 12), ReadU16(bytes + 14), (bytes[16] + 7u) / 8u,
                      kHeaderSize + bytes[0] + paletteBytes};
  return layout->pixelBytes >= 1 && layout->pixelBytes <= 4;
}

// True when the run-length packets from offset cover pixels pixels within
// the file.
bool RunsCoverImage(const uint8_t* bytes, size_t size, uint64_t offset, uint64_t pixels,
                    uint32_t pixelBytes) {
  uint64_t covered = 0;
  while (covered < pixels) {
    if (offset >= size) return false;
    const uint8_t packet = bytes[offset++];
    const uint64_t count = (packet & 0x7Fu) + 1u;
    offset += (packet & 0x80u) ? pixelBytes : count * pixelBytes;
    if (offset > size) return false;
    covered += count;
  }
  return true;
}

}  // namespace

HRESULT DecodeTga(const uint8_t* bytes, size_t size, ImageData* image) {
  TgaLayout layout;
  if (!ReadLayout(bytes, size, &layout)) return D3DXERR_INVALIDDATA;
  if (!WithinImageLimits(layout.width, layout.height)) return D3DXERR_INVALIDDATA;
  const uint64_t pixels = static_cast<uint64_t>(layout.width) * layout.height;
  const bool complete =
      layout.imageType >= 9
          ? RunsCoverImage(bytes, size, layout.dataOffset, pixels, layout.pixelBytes)
          : layout.dataOffset + pixels * layout.pixelBytes <= size;
  if (!complete) return D3DXERR_INVALIDDATA;
  const HRESULT result = DecodeWithStb(bytes, size, image);
  if (FAILED(result)) return result;
  image->fileFormat = D3DXIFF_TGA;
  return D3D_OK;
}

}  // namespace tavrix
