// DDS: plain 2-D textures, uncompressed RGB(A) with bit masks (16, 24 or
// 32 bits a pixel) or DXT1, DXT3 and DXT5, with every mip level the file
// stores kept as it is. Cube maps, volumes and the extended header are
// refused. The file must hold every level it declares before any pixel
// memory is taken.
#include "image/ByteReader.h"
#include "image/Decoders.h"
#include "image/DxtBlocks.h"

namespace tavrix {
namespace {

constexpr size_t kDataOffset = 128;
constexpr uint32_t kHeaderSize = 124;
constexpr uint32_t kFlagMipMapCount = 0x20000;
constexpr uint32_t kPixelAlpha = 0x1;
constexpr uint32_t kPixelFourCc = 0x4;
constexpr uint32_t kPixelRgb = 0x40;
constexpr uint32_t kCaps2CubeOrVolume = 0x200 | 0x200000;

struct Channel {
  uint32_t mask;
  uint32_t shift;
  uint64_t maximum;
};

struct DdsLayout {
  uint32_t width;
  uint32_t height;
  uint32_t levels;
  bool compressed;
  DxtKind dxt;
  uint32_t pixelBytes;
  Channel channels[4];  // a, r, g, b
};

Channel MakeChannel(uint32_t mask) {
  uint32_t shift = 0;
  if (mask) {
    while (((mask >> shift) & 1u) == 0) ++shift;
  }
  return Channel{mask, shift, static_cast<uint64_t>(mask) >> shift};
}

uint32_t ChannelValue(const Channel& channel, uint32_t pixel, uint32_t absent) {
  if (channel.maximum == 0) return absent;
  const uint64_t value = (pixel & channel.mask) >> channel.shift;
  return static_cast<uint32_t>((value * 255 + channel.maximum / 2) / channel.maximum);
}

bool ReadCompression(uint32_t fourCc, DxtKind* kind) {
  switch (fourCc) {
    case MAKEFOURCC('D', 'X', 'T', '1'): *kind = DxtKind::Dxt1; return true;
    case MAKEFOURCC('D', 'X', 'T', '3'): *kind = DxtKind::Dxt3; return true;
    case MAKEFOURCC('D', 'X', 'T', '5'): *kind = DxtKind::Dxt5; return true;
    default: return false;  // DXT2 and DXT4 (premultiplied) among them
  }
}

bool ReadPixelFormat(const uint8_t* bytes, DdsLayout* layout) {
  const uint32_t flags = ReadU32(bytes + 80);
  if (flags & kPixelFourCc) {
    layout->compressed = true;
    return ReadCompression(ReadU32(bytes + 84), &layout->dxt);
  }
  if (!(flags & kPixelRgb)) return false;
  const uint32_t bits = ReadU32(bytes + 88);
  if (bits != 16 && bits != 24 && bits != 32) return false;
  layout->compressed = false;
  layout->pixelBytes = bits / 8;
  layout->channels[0] = MakeChannel((flags & kPixelAlpha) ? ReadU32(bytes + 104) : 0);
  for (int i = 0; i < 3; ++i) layout->channels[1 + i] = MakeChannel(ReadU32(bytes + 92 + 4 * i));
  return true;
}

bool ReadLayout(const uint8_t* bytes, size_t size, DdsLayout* layout) {
  if (size < kDataOffset || ReadU32(bytes + 4) != kHeaderSize) return false;
  if (ReadU32(bytes + 112) & kCaps2CubeOrVolume) return false;
  layout->height = ReadU32(bytes + 12);
  layout->width = ReadU32(bytes + 16);
  if (!WithinImageLimits(layout->width, layout->height)) return false;
  const uint32_t stored = (ReadU32(bytes + 8) & kFlagMipMapCount) ? ReadU32(bytes + 28) : 1;
  const uint32_t full = FullChainLevels(layout->width, layout->height);
  layout->levels = stored == 0 ? 1 : (stored < full ? stored : full);
  return ReadPixelFormat(bytes, layout);
}

uint64_t LevelBytes(const DdsLayout& layout, uint32_t width, uint32_t height) {
  if (!layout.compressed) return static_cast<uint64_t>(width) * height * layout.pixelBytes;
  const uint64_t blocksWide = (width + 3) / 4;
  const uint64_t blocksHigh = (height + 3) / 4;
  return blocksWide * blocksHigh * DxtBlockBytes(layout.dxt);
}

uint64_t TotalBytes(const DdsLayout& layout) {
  uint64_t total = 0;
  uint32_t w = layout.width;
  uint32_t h = layout.height;
  for (uint32_t i = 0; i < layout.levels; ++i) {
    total += LevelBytes(layout, w, h);
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  return total;
}

void DecodeUncompressed(const DdsLayout& layout, const uint8_t* data, ImageLevel& level) {
  const uint64_t count = static_cast<uint64_t>(level.width) * level.height;
  for (uint64_t i = 0; i < count; ++i, data += layout.pixelBytes) {
    uint32_t pixel = 0;
    for (uint32_t b = 0; b < layout.pixelBytes; ++b) {
      pixel |= static_cast<uint32_t>(data[b]) << (8 * b);
    }
    level.pixels[i] = PackArgb(
        ChannelValue(layout.channels[0], pixel, 0xFF), ChannelValue(layout.channels[1], pixel, 0),
        ChannelValue(layout.channels[2], pixel, 0), ChannelValue(layout.channels[3], pixel, 0));
  }
}

// Blocks past the right or bottom edge (odd sizes) are decoded and only
// their pixels inside the level kept.
void DecodeCompressed(const DdsLayout& layout, const uint8_t* data, ImageLevel& level) {
  const uint32_t blockBytes = DxtBlockBytes(layout.dxt);
  uint32_t block[16];
  for (uint32_t by = 0; by < level.height; by += 4) {
    for (uint32_t bx = 0; bx < level.width; bx += 4, data += blockBytes) {
      DecodeDxtBlock(layout.dxt, data, block);
      for (uint32_t y = 0; y < 4 && by + y < level.height; ++y) {
        for (uint32_t x = 0; x < 4 && bx + x < level.width; ++x) {
          level.pixels[static_cast<uint64_t>(by + y) * level.width + bx + x] = block[y * 4 + x];
        }
      }
    }
  }
}

D3DFORMAT SourceFormat(const DdsLayout& layout) {
  if (layout.compressed) {
    if (layout.dxt == DxtKind::Dxt1) return D3DFMT_DXT1;
    return layout.dxt == DxtKind::Dxt3 ? D3DFMT_DXT3 : D3DFMT_DXT5;
  }
  if (layout.pixelBytes == 4) return layout.channels[0].maximum ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
  return layout.pixelBytes == 3 ? D3DFMT_R8G8B8 : D3DFMT_R5G6B5;
}

}  // namespace

HRESULT DecodeDds(const uint8_t* bytes, size_t size, ImageData* image) {
  DdsLayout layout{};
  if (!ReadLayout(bytes, size, &layout)) return D3DXERR_INVALIDDATA;
  if (TotalBytes(layout) > size - kDataOffset) return D3DXERR_INVALIDDATA;
  if (!image->Allocate(layout.width, layout.height, layout.levels)) return E_OUTOFMEMORY;
  const uint8_t* data = bytes + kDataOffset;
  for (uint32_t i = 0; i < layout.levels; ++i) {
    ImageLevel& level = image->Level(i);
    if (layout.compressed) {
      DecodeCompressed(layout, data, level);
    } else {
      DecodeUncompressed(layout, data, level);
    }
    data += LevelBytes(layout, level.width, level.height);
  }
  image->sourceFormat = SourceFormat(layout);
  image->fileFormat = D3DXIFF_DDS;
  return D3D_OK;
}

}  // namespace tavrix
