// A scene a game plays, written one library operation a line, that the
// browser tests play through the package's JavaScript API and the native
// program through the library itself, to compare their frames:
//   view W H            the view, in units (first line)
//   load FILE           effects are numbered in load order from 0
//   move N X Y [nested] SetEffectPosition (nested: move live particles too)
//   play N [MS]         PlayEffect with prewarm MS
//   clear N / unload N
//   update MS           UpdateAll;  step N MS: UpdateEffect;  to MS: UpdateAllTo
//   frame               draw the frame
//   frames MS           MS in a 60 Hz game's steps (17, 17, 16 ms), each
//                       UpdateAll then a frame drawn
// Lines starting with # are notes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tavrix/tavrix.h"

namespace tavrix::web {

struct SceneView {
  int32_t width = 0, height = 0;
};

// The view the script's first line asks for; zero when it has none.
SceneView ReadSceneView(const std::string& script);

// Plays script on system (initialised for that view), calling frame at each
// "frame" line. Returns an empty string, or what is wrong with a line, or
// why an operation failed.
std::string PlayScene(const std::string& script, IParticleSystem& system,
                      const std::function<void()>& frame);

// FNV-1a over bytes, running on from hash (start with kSceneHashStart): the
// same function the tests apply to the frames the JavaScript API hands over.
constexpr uint32_t kSceneHashStart = 2166136261u;
uint32_t HashBytes(uint32_t hash, const void* bytes, size_t count);

}  // namespace tavrix::web
