// One frame's quads as the browser draws them: a single vertex array in the
// module's memory and the runs of quads that share a texture and a blend
// mode, so the page issues one draw call per run. The viewer's also keeps a
// running hash of every quad the library handed over, to compare runs
// across builds; a game's does not pay for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tavrix/IParticleImage.h"

namespace tavrix::web {

// 20 bytes, read by the page's vertex layout: position in view units,
// texture coordinates, and the colour. rgba holds R in its lowest byte, so
// memory holds R, G, B, A on every little-endian target (WebAssembly's and
// the native builds'); one word rather than four bytes, whose stores the
// compiler must assume alias everything.
struct Vertex {
  float x, y, u, v;
  uint32_t rgba;
};
static_assert(sizeof(Vertex) == 20, "the page reads 20-byte vertices");

struct Batch {
  int32_t texture;
  int32_t additive;
  int32_t firstQuad;
  int32_t quadCount;
};

class FrameQuads {
 public:
  explicit FrameQuads(bool hashed = true) : hashed_(hashed) {}
  // Starts a new frame, keeping the storage; the hash runs on.
  void Clear();
  void Add(int32_t texture, int32_t width, int32_t height, const Point* source,
           const Point* destination, uint32_t colour, int32_t additive);
  // QuadCount() * 4 vertices.
  const Vertex* Vertices() const { return vertices_.data(); }
  const std::vector<Batch>& Batches() const { return batches_; }
  int32_t QuadCount() const { return int32_t(used_ / 4); }
  uint64_t Hash() const { return hash_; }

 private:
  // The texture coordinates of the last source rectangle, kept because the
  // quads of a run share theirs: the division is done once per rectangle.
  // Starts as the coordinates of an all-zero source, which they are.
  struct SourceUv {
    uint64_t source[4] = {};  // the four points, a word each, compared at once
    int32_t width = 0, height = 0;
    float u[4] = {}, v[4] = {};
  };

  void HashWords(const int32_t* words, int count);
  const SourceUv& UvOf(const Point* source, int32_t width, int32_t height);

  // The vertices in use, then room kept from earlier frames: a quad checks
  // the room once and writes its four vertices in place.
  std::vector<Vertex> vertices_;
  size_t used_ = 0;
  std::vector<Batch> batches_;
  SourceUv uv_;
  bool hashed_;
  uint64_t hash_ = 14695981039346656037ull;  // FNV-1a's offset basis
};

}  // namespace tavrix::web
