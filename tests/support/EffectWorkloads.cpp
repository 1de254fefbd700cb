// The shared effects of tests and benchmarks.
#include "support/EffectWorkloads.h"

namespace tavrix::test {

EmitterDesc SteadyEmitter(float rate, float life) {
  EmitterDesc desc;
  desc.animated = true;
  desc.useEffectOffset = true;
  desc.tracks = {
      TrackDesc{"BaseQuantity", 1.0f, 1000.0f, 0.0f, 1000.0f, rate, {}},
      TrackDesc{"BaseLife", 1.0f, 1000.0f, 0.0f, 1000.0f, life, {}},
  };
  return desc;
}

EffectDesc EffectOf(std::vector<Bytes> emitters, float durationSeconds, int32_t endMode) {
  EffectDesc desc;
  desc.emitters = std::move(emitters);
  desc.durationSeconds = durationSeconds;
  desc.endMode = endMode;
  desc.frameWidth = 100.0f;
  desc.frameHeight = 50.0f;
  return desc;
}

EffectDesc TypicalEffect() {
  const char* effectKeys[] = {
      "ScaleLife",        "ScaleQuantity",     "ScaleX",           "ScaleY",
      "ScaleSpeed",       "ScaleSpin",         "ScaleFixedForce",  "ScaleRand",
      "ScaleVisible",     "BaseEmissionForce", "VarEmissionForce", "BaseEmissionAngle",
      "VarEmissionAngle", "BaseEmissionArc",   "VarEmissionArc",   "speed_whole",
      "gravity",          "sizeEffect"};
  EffectDesc effect = EffectOf({}, 3.0f, 1);
  for (const char* key : effectKeys) {
    effect.tracks.push_back(
        TrackDesc{key, 1.0f, 1000.0f, 0.0f, 100.0f, 1.0f, {{0.0f, 1.0f}, {500.0f, 2.0f}}});
  }
  for (int i = 0; i < 3; ++i) {
    EmitterDesc emitter = SteadyEmitter(50.0f + 25.0f * i, 1.5f);
    emitter.name = "sparks" + std::to_string(i);
    // Frame sets are shared by name: each emitter has its own.
    emitter.frameSetName = "sparks" + std::to_string(i);
    emitter.tracks.push_back(TrackDesc{
        "LifeVisible", 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, {{0.0f, 1.0f}, {0.5f, 0.8f}, {1.0f, 0.0f}}});
    emitter.tracks.push_back(
        TrackDesc{"LifeX", 1.0f, 1.0f, -100.0f, 100.0f, 1.0f, {{0.0f, 1.0f}, {1.0f, 3.0f}}});
    emitter.frames = {FrameDesc{0.0f, 0.0f, 0.5f, 0.5f}, FrameDesc{0.5f, 0.0f, 1.0f, 0.5f},
                      FrameDesc{0.0f, 0.5f, 0.5f, 1.0f}, FrameDesc{0.5f, 0.5f, 1.0f, 1.0f}};
    effect.emitters.push_back(EmitterRecord(emitter));
  }
  EmitterDesc glow;
  glow.name = "glow";
  glow.frameSetName = "glow";
  glow.additive = true;
  effect.emitters.push_back(EmitterRecord(glow));
  return effect;
}

Bytes TypicalEffectRecord() { return EffectRecord(TypicalEffect()); }

}  // namespace tavrix::test
