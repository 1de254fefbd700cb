#include "tools/RecordBuilders.h"

#include <cstring>

namespace tavrix::test {
namespace {

// Copies of one default EmitterDesc: building its default frame list
// in place draws a false uninitialised-use warning from GCC 12 at -O3.
EmitterDesc DefaultEmitter() {
  static const EmitterDesc defaults;
  return defaults;
}

Bytes AnimatedEmitter() {
  EmitterDesc animated = DefaultEmitter();
  animated.name = "animated";
  animated.animated = true;
  animated.tracks = {{"LifeVisible", 1, 1, 0, 1, 1, {{1, 0}, {0, 1}}},
                     {"BaseLife", 1, 1000, 0, 1000, 2, {{0, QuietNanWithPayload()}}},
                     {"LifeVisible", 1, 1, 0, 1, 1, {{0, -0.0f}}}};
  animated.frames = {{0, 0, 0.25f, 1}, {0.25f, 0, 0.5f, 1}};
  animated.loop = true;
  animated.hasFollowUp = true;
  animated.rotationMode = 2;
  return EmitterRecord(animated);
}

Bytes FrameSetEmitter() {
  EmitterDesc plain = DefaultEmitter();
  plain.name = "";
  plain.additive = true;
  plain.spawnShape = 3;
  plain.frameIndex = 7;
  plain.positionX = 1e-40f;  // denormal
  return EmitterRecord(plain);
}

Bytes CopiesEmitter() {
  SubEffectDesc sub;
  sub.name = "copies";
  sub.effectFile = "nested\\sparks.eff";
  sub.copiesMin = 2;
  sub.copiesMax = 5;
  return SubEffectRecord(sub);
}

}  // namespace

float QuietNanWithPayload() {
  const uint32_t bits = 0x7FC00123u;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

Bytes UnusualRecord() {
  EffectDesc effect;
  effect.tracks = {
      {"gravity", 1, 1, 0, 100, 0, {{0.5f, 2}, {0.0f, 1}, {0.5f, 3}, {7.0f, 9}}},
      {"ScaleLife", 1, 1000, 0, 100, 1, {}},
      {"GRAVITY", 2, 1, 100, 0, 5, {{0, 4}}},
      {"sizeEffect", 1, 300, 500, 120, 0, {{0, 0}}},
  };
  effect.emitters = {AnimatedEmitter(), FrameSetEmitter(), CopiesEmitter()};
  effect.endMode = 7;
  effect.running = true;
  effect.elapsedSeconds = 0.1f;
  effect.durationSeconds = 2.5f;
  RecordWriter out;
  out.Append(EffectRecord(effect)).U8(0xDE).U8(0xAD).U8(0x00);
  return out.bytes;
}

}  // namespace tavrix::test
