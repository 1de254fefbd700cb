// Collecting a frame's quads: the runs, the vertices and the running hash.
#include "FrameQuads.h"

namespace tavrix::web {

void FrameQuads::Clear() {
  vertices_.clear();
  batches_.clear();
}

void FrameQuads::HashWords(const int32_t* words, int count) {
  for (int i = 0; i < count; ++i)
    for (int byte = 0; byte < 4; ++byte) {
      hash_ ^= (uint32_t(words[i]) >> (8 * byte)) & 0xFFu;
      hash_ *= 1099511628211ull;  // FNV-1a's prime
    }
}

void FrameQuads::Add(int32_t texture, int32_t width, int32_t height, const Point* source,
                     const Point* destination, uint32_t colour, int32_t additive) {
  if (hashed_) {
    const int32_t arguments[] = {texture, int32_t(colour), additive};
    HashWords(arguments, 3);
    HashWords(&source[0].x, 8);
    HashWords(&destination[0].x, 8);
  }

  if (batches_.empty() || batches_.back().texture != texture ||
      batches_.back().additive != additive)
    batches_.push_back({texture, additive, QuadCount(), 0});
  ++batches_.back().quadCount;
  // Source corner i goes with destination corner 3 - i: the library lists
  // the destination from the last corner to the first, and this pairing puts
  // the texture's top-left where the device renderer puts it.
  const float w = width > 0 ? float(width) : 1.0f, h = height > 0 ? float(height) : 1.0f;
  const uint8_t r = uint8_t(colour >> 16), g = uint8_t(colour >> 8), b = uint8_t(colour),
                a = uint8_t(colour >> 24);
  for (int i = 0; i < 4; ++i) {
    const Point& corner = destination[3 - i];
    vertices_.push_back({float(corner.x),
                         float(corner.y),
                         float(source[i].x) / w,
                         float(source[i].y) / h,
                         {r, g, b, a}});
  }
}

}  // namespace tavrix::web
