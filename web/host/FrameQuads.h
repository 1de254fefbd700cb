// One frame's quads as the browser draws them: a single vertex array in the
// module's memory and the runs of quads that share a texture and a blend
// mode, so the page issues one draw call per run. The viewer's also keeps a
// running hash of every quad the library handed over, to compare runs
// across builds; a game's does not pay for it.
#pragma once

#include <cstdint>
#include <vector>

#include "tavrix/IParticleImage.h"

namespace tavrix::web {

// 20 bytes, read by the page's vertex layout: position in view units,
// texture coordinates, and the colour's bytes in R, G, B, A order.
struct Vertex {
  float x, y, u, v;
  uint8_t rgba[4];
};

struct Batch {
  int32_t texture;
  int32_t additive;
  int32_t firstQuad;
  int32_t quadCount;
};

class FrameQuads {
 public:
  explicit FrameQuads(bool hashed = true) : hashed_(hashed) {}
  // Starts a new frame; the hash runs on.
  void Clear();
  void Add(int32_t texture, int32_t width, int32_t height, const Point* source,
           const Point* destination, uint32_t colour, int32_t additive);
  const std::vector<Vertex>& Vertices() const { return vertices_; }
  const std::vector<Batch>& Batches() const { return batches_; }
  int32_t QuadCount() const { return int32_t(vertices_.size() / 4); }
  uint64_t Hash() const { return hash_; }

 private:
  void HashWords(const int32_t* words, int count);

  std::vector<Vertex> vertices_;
  std::vector<Batch> batches_;
  bool hashed_;
  uint64_t hash_ = 14695981039346656037ull;  // FNV-1a's offset basis
};

}  // namespace tavrix::web
