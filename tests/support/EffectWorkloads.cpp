// The shared effects of tests and benchmarks.
#include "support/EffectWorkloads.h"

namespace tavrix::test {

EmitterSpec SteadyEmitter(float rate, float life) {
  EmitterSpec spec;
  spec.animated = true;
  spec.useEffectOffset = true;
  spec.tracks = {
      TrackSpec{"BaseQuantity", 1.0f, 1000.0f, 0.0f, 1000.0f, rate, {}},
      TrackSpec{"BaseLife", 1.0f, 1000.0f, 0.0f, 1000.0f, life, {}},
  };
  return spec;
}

EffectSpec EffectOf(std::vector<Bytes> emitters, float durationSeconds, int32_t endMode) {
  EffectSpec spec;
  spec.emitters = std::move(emitters);
  spec.durationSeconds = durationSeconds;
  spec.endMode = endMode;
  spec.frameWidth = 100.0f;
  spec.frameHeight = 50.0f;
  return spec;
}

EffectSpec TypicalEffect() {
  const char* effectKeys[] = {
      "ScaleLife",        "ScaleQuantity",     "ScaleX",           "ScaleY",
      "ScaleSpeed",       "ScaleSpin",         "ScaleFixedForce",  "ScaleRand",
      "ScaleVisible",     "BaseEmissionForce", "VarEmissionForce", "BaseEmissionAngle",
      "VarEmissionAngle", "BaseEmissionArc",   "VarEmissionArc",   "speed_whole",
      "gravity",          "sizeEffect"};
  EffectSpec effect = EffectOf({}, 3.0f, 1);
  for (const char* key : effectKeys) {
    effect.tracks.push_back(
        TrackSpec{key, 1.0f, 1000.0f, 0.0f, 100.0f, 1.0f, {{0.0f, 1.0f}, {500.0f, 2.0f}}});
  }
  for (int i = 0; i < 3; ++i) {
    EmitterSpec emitter = SteadyEmitter(50.0f + 25.0f * i, 1.5f);
    emitter.name = "sparks" + std::to_string(i);
    emitter.tracks.push_back(TrackSpec{
        "LifeVisible", 1.0f, 1.0f, 0.0f, 1.0f, 1.0f, {{0.0f, 1.0f}, {0.5f, 0.8f}, {1.0f, 0.0f}}});
    emitter.tracks.push_back(
        TrackSpec{"LifeX", 1.0f, 1.0f, -100.0f, 100.0f, 1.0f, {{0.0f, 1.0f}, {1.0f, 3.0f}}});
    emitter.frames = {FrameSpec{0.0f, 0.0f, 0.5f, 0.5f}, FrameSpec{0.5f, 0.0f, 1.0f, 0.5f},
                      FrameSpec{0.0f, 0.5f, 0.5f, 1.0f}, FrameSpec{0.5f, 0.5f, 1.0f, 1.0f}};
    effect.emitters.push_back(EmitterRecord(emitter));
  }
  EmitterSpec glow;
  glow.name = "glow";
  glow.additive = true;
  effect.emitters.push_back(EmitterRecord(glow));
  return effect;
}

Bytes TypicalEffectRecord() { return EffectRecord(TypicalEffect()); }

}  // namespace tavrix::test
