// A fixed scene whose quads are hashed the same way in the browser and in a
// native program: each effect played alone from its start for durationMs in
// 60 Hz steps, every frame drawn, every image 256 pixels square so that no
// decoder takes part. Equal hashes mean the WebAssembly build computes the
// native build's particles bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrix::web {

// The hash in 16 hexadecimal digits, or "failed: PATH" for an effect that
// does not load.
std::string SceneHash(const std::vector<std::string>& effects, int64_t durationMs);

}  // namespace tavrix::web
