// What the page plays: one particle system in image-loader mode with an
// effect shown at the centre of the view, advanced on the clock of a 60 Hz
// game (17, 17 and 16 ms in turn, as `tavrix render` does) or by steps of
// the page's choosing, and its frame collected for WebGL.
#pragma once

#include <cstdint>
#include <string>

#include "FrameQuads.h"
#include "ImageLoaderSystem.h"
#include "WebImages.h"
#include "tavrix/tavrix.h"

namespace tavrix::web {

class WebPlayer {
 public:
  WebPlayer(int32_t width, int32_t height);
  WebPlayer(const WebPlayer&) = delete;
  WebPlayer& operator=(const WebPlayer&) = delete;

  // The result of creating and initialising the system: 0 when it works.
  int32_t Status() const { return system_.Status(); }
  WebImageLoader& Images() { return images_; }
  // Loads the effect at path and, when it loads, shows it from its start in
  // place of the one shown; a failure leaves the shown one as it was.
  // Returns the library's result code (an identifier when it loads).
  int32_t Open(const char* path);
  void Restart();
  // Advances by deltaMs at once.
  void Step(int32_t deltaMs);
  // Advances by the next of the 60 Hz steps.
  void NextFrame();
  // Advances to timeMs in the 60 Hz steps, starting again first when the
  // effect is already past it.
  void Seek(int64_t timeMs);
  int64_t Now() const { return nowMs_; }
  // Collects the shown effect's quads into Quads().
  void Draw();
  const FrameQuads& Quads() const { return quads_; }

 private:
  int32_t width_, height_;
  FrameQuads quads_;
  WebImageLoader images_{quads_};
  ImageLoaderSystem system_{width_, height_, images_};
  int32_t effect_ = -1;
  int64_t nowMs_ = 0;
  int32_t nextStep_ = 0;
};

}  // namespace tavrix::web
