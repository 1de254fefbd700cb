// Writing test images: libpng and libjpeg for PNG and JPEG, plain bytes for
// the rest, and the working-directory switch texture tests run under.
#include "support/posix/ImageFiles.h"

#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tavrix::test {
namespace {

void Put16(std::string& out, uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

void PutBgra(std::string& out, uint32_t argb, bool alpha) {
  out.push_back(static_cast<char>(argb & 0xFF));
  out.push_back(static_cast<char>((argb >> 8) & 0xFF));
  out.push_back(static_cast<char>((argb >> 16) & 0xFF));
  if (alpha) out.push_back(static_cast<char>(argb >> 24));
}

void AppendPng(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void FlushPng(png_structp) {}

std::string DdsHeader(uint32_t width, uint32_t height, uint32_t levels, uint32_t pixelFlags,
                      uint32_t fourCc, uint32_t bits, const uint32_t masks[4]) {
  std::string out = "DDS ";
  Put32(out, 124);
  Put32(out, 0x1 | 0x2 | 0x4 | 0x1000 | (levels > 1 ? 0x20000 : 0));
  Put32(out, height);
  Put32(out, width);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, levels);
  for (int i = 0; i < 11; ++i) Put32(out, 0);
  Put32(out, 32);
  Put32(out, pixelFlags);
  Put32(out, fourCc);
  Put32(out, bits);
  for (int i = 0; i < 4; ++i) Put32(out, masks[i]);
  Put32(out, 0x1000 | (levels > 1 ? 0x400008 : 0));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  return out;
}

}  // namespace

std::string EncodePng(uint32_t width, uint32_t height, const Pixels& pixels, bool alpha) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png write failed");
  png_set_write_fn(png, &out, AppendPng, FlushPng);
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row;
  for (uint32_t y = 0; y < height; ++y) {
    row.clear();
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t p = pixels[y * width + x];
      row.push_back(static_cast<png_byte>(p >> 16));
      row.push_back(static_cast<png_byte>(p >> 8));
      row.push_back(static_cast<png_byte>(p));
      if (alpha) row.push_back(static_cast<png_byte>(p >> 24));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

// Writes rows of raw bytes after the header the caller's setup made.
std::string WritePng(uint32_t width, uint32_t height, int colourType, int bitDepth,
                     const std::vector<std::vector<png_byte>>& rows, const Pixels* palette) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) throw std::runtime_error("png write failed");
  png_set_write_fn(png, &out, AppendPng, FlushPng);
  png_set_IHDR(png, info, width, height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color entries[256];
  png_byte alphas[256];
  if (palette) {
    for (size_t i = 0; i < palette->size(); ++i) {
      const uint32_t p = (*palette)[i];
      entries[i] = png_color{static_cast<png_byte>(p >> 16), static_cast<png_byte>(p >> 8),
                             static_cast<png_byte>(p)};
      alphas[i] = static_cast<png_byte>(p >> 24);
    }
    png_set_PLTE(png, info, entries, static_cast<int>(palette->size()));
    png_set_tRNS(png, info, alphas, static_cast<int>(palette->size()), nullptr);
  }
  png_write_info(png, info);
  for (const auto& row : rows) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

}  // namespace

std::string EncodePngIndexed(uint32_t width, uint32_t height, const Pixels& palette,
                             const std::vector<uint8_t>& indices) {
  std::vector<std::vector<png_byte>> rows(height);
  for (uint32_t y = 0; y < height; ++y) {
    rows[y].assign(indices.begin() + y * width, indices.begin() + (y + 1) * width);
  }
  return WritePng(width, height, PNG_COLOR_TYPE_PALETTE, 8, rows, &palette);
}

std::string EncodePngGrey16(uint32_t width, uint32_t height, const std::vector<uint16_t>& grey) {
  std::vector<std::vector<png_byte>> rows(height);
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) {
      rows[y].push_back(static_cast<png_byte>(grey[y * width + x] >> 8));
      rows[y].push_back(static_cast<png_byte>(grey[y * width + x]));
    }
  }
  return WritePng(width, height, PNG_COLOR_TYPE_GRAY, 16, rows, nullptr);
}

std::string EncodeJpeg(uint32_t width, uint32_t height, const Pixels& pixels, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(width * 3);
  while (cinfo.next_scanline < height) {
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t p = pixels[cinfo.next_scanline * width + x];
      row[x * 3] = static_cast<JSAMPLE>(p >> 16);
      row[x * 3 + 1] = static_cast<JSAMPLE>(p >> 8);
      row[x * 3 + 2] = static_cast<JSAMPLE>(p);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::string out(reinterpret_cast<char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return out;
}

std::string EncodeBmp(uint32_t width, uint32_t height, const Pixels& pixels, int bits) {
  const uint32_t stride = ((width * bits + 31) / 32) * 4;
  std::string out = "BM";
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);
  Put32(out, stride * height);
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (uint32_t row = 0; row < height; ++row) {
    const uint32_t y = height - 1 - row;
    const size_t start = out.size();
    for (uint32_t x = 0; x < width; ++x) PutBgra(out, pixels[y * width + x], bits == 32);
    while (out.size() - start < stride) out.push_back('\0');
  }
  return out;
}

std::string EncodeTga(uint32_t width, uint32_t height, const Pixels& pixels, bool runLength) {
  std::string out;
  out.push_back('\0');
  out.push_back('\0');
  out.push_back(runLength ? 10 : 2);
  for (int i = 0; i < 5; ++i) out.push_back('\0');
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, width);
  Put16(out, height);
  out.push_back(32);
  out.push_back(0x28);  // top-down, 8 alpha bits
  for (uint32_t i = 0; i < width * height;) {
    if (!runLength) {
      PutBgra(out, pixels[i++], true);
      continue;
    }
    uint32_t run = 1;
    while (run < 128 && i + run < width * height && pixels[i + run] == pixels[i]) ++run;
    out.push_back(static_cast<char>(0x80 | (run - 1)));
    PutBgra(out, pixels[i], true);
    i += run;
  }
  return out;
}

std::string EncodeDdsRgb(uint32_t width, uint32_t height, const std::vector<Pixels>& levels,
                         int bits) {
  const uint32_t masks32[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  const uint32_t masks24[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  std::string out = DdsHeader(width, height, static_cast<uint32_t>(levels.size()),
                              bits == 32 ? 0x41 : 0x40, 0, bits, bits == 32 ? masks32 : masks24);
  for (const Pixels& level : levels) {
    for (uint32_t p : level) PutBgra(out, p, bits == 32);
  }
  return out;
}

std::string EncodeDdsDxt1(uint32_t width, uint32_t height, uint32_t levels,
                          const std::string& blocks) {
  return EncodeDdsCompressed(width, height, levels, "DXT1", blocks);
}

std::string EncodeDdsCompressed(uint32_t width, uint32_t height, uint32_t levels,
                                const char* fourCc, const std::string& blocks) {
  const uint32_t none[4] = {0, 0, 0, 0};
  uint32_t code = 0;
  for (int i = 0; i < 4; ++i) {
    code |= static_cast<uint32_t>(static_cast<uint8_t>(fourCc[i])) << (8 * i);
  }
  return DdsHeader(width, height, levels, 0x4, code, 0, none) + blocks;
}

std::string Dxt1Block(uint16_t colour0, uint16_t colour1, uint32_t indices) {
  std::string out;
  Put16(out, colour0);
  Put16(out, colour1);
  Put32(out, indices);
  return out;
}

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::string& path)
    : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(path);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
}

}  // namespace tavrix::test
