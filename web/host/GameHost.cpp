// The game's particle system: created, initialised and listened to.
#include "GameHost.h"

namespace tavrix::web {

GameHost::GameHost(int32_t width, int32_t height) : system_(width, height, images_) {
  images_.DeferUnknown();
  if (Status() == 0) System().SetFinishListener(this);
}

GameHost::~GameHost() {
  if (Status() == 0) System().SetFinishListener(nullptr);
}

int32_t GameHost::BeginFrame() {
  quads_.Clear();
  return System().BeginFrame();
}

int32_t GameHost::DrawAll() {
  quads_.Clear();
  return System().DrawAll();
}

}  // namespace tavrix::web
