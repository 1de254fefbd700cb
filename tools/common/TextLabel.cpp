#include "common/TextLabel.h"

#include <stb/stb_easy_font.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavrix::tools {
namespace {

constexpr uint32_t Ink = 0xFFFFFFFFu, Shadow = 0xFF000000u;
// stb_easy_font's output: four corners per rectangle, each x, y, z and a colour.
struct Vertex {
  float x, y, z;
  unsigned char colour[4];
};
// Its guide: about 270 bytes a character.
constexpr size_t BytesPerCharacter = 300;

// The font has the printable ASCII characters only; any other byte, a
// letter of a UTF-8 file name included, shows as '?'.
std::string Printable(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c < 32 || c > 126) c = '?';
  return line;
}

void Fill(Image& image, const Cell& clip, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
          uint32_t colour) {
  x0 = std::max({x0, clip.left, 0});
  y0 = std::max({y0, clip.top, 0});
  x1 = std::min({x1, clip.left + clip.width, image.width});
  y1 = std::min({y1, clip.top + clip.height, image.height});
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) image.At(x, y) = colour;
}

}  // namespace

int32_t LabelWidth(const std::string& text, int32_t scale) {
  std::string line = Printable(text);
  return (stb_easy_font_width(line.data()) + 1) * scale;
}

int32_t LabelHeight(int32_t scale) {
  std::string line = "0";
  return (stb_easy_font_height(line.data()) + 1) * scale;
}

int32_t LabelScale(int32_t cellWidth) { return cellWidth >= 160 ? 2 : 1; }

void DrawLabel(Image& image, const Cell& cell, const std::string& text, int32_t scale) {
  std::string line = Printable(text);
  std::vector<Vertex> corners(text.size() * BytesPerCharacter / sizeof(Vertex) + 4);
  const int quads = stb_easy_font_print(0, 0, line.data(), nullptr, corners.data(),
                                        int(corners.size() * sizeof(Vertex)));
  const int32_t margin = 2 * scale;
  for (uint32_t colour : {Shadow, Ink}) {
    // The shadow one pixel of the font down and to the right.
    const int32_t offset = colour == Shadow ? scale : 0;
    for (int q = 0; q < quads; ++q) {
      const Vertex& a = corners[size_t(q) * 4];
      const Vertex& c = corners[size_t(q) * 4 + 2];
      const auto at = [&](float v, int32_t origin) {
        return origin + margin + offset + int32_t(std::lround(v * float(scale)));
      };
      Fill(image, cell, at(a.x, cell.left), at(a.y, cell.top), at(c.x, cell.left),
           at(c.y, cell.top), colour);
    }
  }
}

}  // namespace tavrix::tools
