// Collecting a frame's quads: the runs, the vertices and the running hash.
#include "FrameQuads.h"

#include <cstring>

namespace tavrix::web {

void FrameQuads::Clear() {
  used_ = 0;
  batches_.clear();
}

void FrameQuads::HashWords(const int32_t* words, int count) {
  for (int i = 0; i < count; ++i)
    for (int byte = 0; byte < 4; ++byte) {
      hash_ ^= (uint32_t(words[i]) >> (8 * byte)) & 0xFFu;
      hash_ *= 1099511628211ull;  // FNV-1a's prime
    }
}

// The points as words by memcpy, which compiles to plain loads: a call to
// memcmp would cost more than the divisions it saves.
const FrameQuads::SourceUv& FrameQuads::UvOf(const Point* source, int32_t width, int32_t height) {
  uint64_t words[4];
  std::memcpy(words, source, sizeof words);
  if (((words[0] ^ uv_.source[0]) | (words[1] ^ uv_.source[1]) | (words[2] ^ uv_.source[2]) |
       (words[3] ^ uv_.source[3])) == 0 &&
      width == uv_.width && height == uv_.height)
    return uv_;
  std::memcpy(uv_.source, words, sizeof words);
  uv_.width = width;
  uv_.height = height;
  const float w = width > 0 ? float(width) : 1.0f, h = height > 0 ? float(height) : 1.0f;
  for (int i = 0; i < 4; ++i) {
    uv_.u[i] = float(source[i].x) / w;
    uv_.v[i] = float(source[i].y) / h;
  }
  return uv_;
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
  if (used_ + 4 > vertices_.size()) vertices_.resize(vertices_.size() * 2 + 4096);
  const SourceUv& uv = UvOf(source, width, height);
  // A8R8G8B8 to the bytes R, G, B, A.
  const uint32_t rgba = (colour >> 16 & 0xFFu) | (colour & 0xFF00FF00u) | (colour & 0xFFu) << 16;
  // Source corner i goes with destination corner 3 - i: the library lists
  // the destination from the last corner to the first, and this pairing puts
  // the texture's top-left where the device renderer puts it.
  Vertex* v = vertices_.data() + used_;
  used_ += 4;
  for (int i = 0; i < 4; ++i) {
    const Point& corner = destination[3 - i];
    v[i] = {float(corner.x), float(corner.y), uv.u[i], uv.v[i], rgba};
  }
}

}  // namespace tavrix::web
