// BMP: the headers are checked here, and the file must hold every row the
// header promises (uncompressed or bit-field rows, as stb_image reads them);
// the pixels then come from stb_image.
#include <cstdlib>

#include "image/ByteReader.h"
#include "image/Decoders.h"
#include "image/StbImage.h"

namespace tavrix {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kBitFields = 3;

struct BmpLayout {
  int64_t width;
  int64_t height;
  uint32_t bitsPerPixel;
  uint32_t compression;
};

bool ReadLayout(const uint8_t* bytes, size_t size, BmpLayout* layout) {
  if (size < kFileHeaderSize + 4) return false;
  const uint32_t headerSize = ReadU32(bytes + kFileHeaderSize);
  const uint8_t* header = bytes + kFileHeaderSize;
  if (headerSize == kCoreHeaderSize) {
    if (size < kFileHeaderSize + kCoreHeaderSize) return false;
    *layout = BmpLayout{ReadI16(header + 4), ReadI16(header + 6), ReadU16(header + 10), 0};
    return true;
  }
  if (headerSize < 40 || size < kFileHeaderSize + 40) return false;
  *layout = BmpLayout{ReadI32(header + 4), ReadI32(header + 8), ReadU16(header + 14),
                      ReadU32(header + 16)};
  return true;
}

}  // namespace

HRESULT DecodeBmp(const uint8_t* bytes, size_t size, ImageData* image) {
  BmpLayout layout;
  if (!ReadLayout(bytes, size, &layout)) return D3DXERR_INVALIDDATA;
  const int64_t rows = std::llabs(layout.height);
  if (layout.width <= 0 || !WithinImageLimits(layout.width, rows)) return D3DXERR_INVALIDDATA;
  if (layout.compression != 0 && layout.compression != kBitFields) return D3DXERR_INVALIDDATA;
  const uint32_t bits = layout.bitsPerPixel;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return D3DXERR_INVALIDDATA;
  }
  const uint64_t stride = ((static_cast<uint64_t>(layout.width) * bits + 31) / 32) * 4;
  const uint64_t pixelOffset = ReadU32(bytes + 10);
  if (pixelOffset + stride * static_cast<uint64_t>(rows) > size) return D3DXERR_INVALIDDATA;
  const HRESULT result = DecodeWithStb(bytes, size, image);
  if (FAILED(result)) return result;
  image->fileFormat = D3DXIFF_BMP;
  return D3D_OK;
}

}  // namespace tavrix
