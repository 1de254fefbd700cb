// The emitter set-ups shared by the simulation tests and the benchmarks, so
// the workload measured is the workload tested. A SimulationWorld is the
// least owner an emitter needs: a name table, a texture manager, a registry
// with its particle pool and one effect holding the emitters.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Allocator.h"
#include "base/RandomSource.h"
#include "effectfile/Effect.h"
#include "registry/EffectRegistry.h"
#include "resources/FrameSet.h"
#include "resources/NameTable.h"
#include "resources/TextureManager.h"
#include "simulation/Emitter.h"

namespace tavrix::test {

// The current allocator must be set before a world is built and stay set
// until it is gone.
class SimulationWorld {
 public:
  explicit SimulationWorld(int32_t textureMode = TextureManager::DeviceMode)
      : textures(textureMode) {
    SetCurrentNameTable(&names_);
    registry.CreateParticlePool();
    effect = New<Effect>(0, &registry);
    ProcessRandom().Seed(LoadSeed());
  }
  ~SimulationWorld() {
    if (effect) effect->Destroy(1);
    SetCurrentNameTable(nullptr);
  }
  SimulationWorld(const SimulationWorld&) = delete;
  SimulationWorld& operator=(const SimulationWorld&) = delete;

  // A new emitter with its defaults, owned by the effect.
  Emitter& AddEmitter() {
    Emitter* emitter = New<Emitter>();
    emitter->Init(effect);
    effect->emitters.PushBack(emitter);
    return *emitter;
  }

  // Gives a non-animated emitter a one-frame frame set so that it draws.
  static void GiveFrameSet(Emitter& emitter, const char* name = "white") {
    TextureManager* manager = CurrentTextureManager();
    emitter.record.frameSet =
        static_cast<FrameSet*>(manager->Acquire(TextureManager::FrameSetKind, name));
    emitter.record.frameSet->AddFrame(0.0f, 0.0f, 0.5f, 0.5f);
  }

 private:
  NameTable names_;

 public:
  TextureManager textures;
  EffectRegistry registry;
  Effect* effect = nullptr;
};

// The live particles of an emitter, oldest first, from index first on.
inline std::vector<Particle> Particles(Emitter& emitter, int32_t first = 0) {
  std::vector<Particle> all;
  for (int32_t i = first; i < emitter.GetParticleCount(); ++i) {
    all.push_back(emitter.ParticleAt(i));
  }
  return all;
}

inline void SetConstant(ParamTrack& track, float value) {
  track.Reset();
  track.AddKey(0.0f, value);
}

inline void SetRamp(ParamTrack& track, float from, float to) {
  track.Reset();
  track.AddKey(0.0f, from);
  track.AddKey(track.Duration(), to);
}

// The busy emitter: two-key Life tracks for size, colour and opacity, spin,
// jitter, a steady force, and the effect's gravity.
inline void ConfigureBusy(Emitter& emitter, Effect& effect) {
  SetRamp(emitter.tracks.LifeX, 1.0f, 3.0f);
  SetRamp(emitter.tracks.LifeRed, 1.0f, 0.25f);
  SetRamp(emitter.tracks.LifeGreen, 0.5f, 1.0f);
  SetRamp(emitter.tracks.LifeBlue, 0.0f, 0.75f);
  SetRamp(emitter.tracks.LifeVisible, 1.0f, 0.0f);
  SetConstant(emitter.tracks.BaseSpin, 90.0f);
  SetConstant(emitter.tracks.VarSpin, 40.0f);
  SetConstant(emitter.tracks.BaseRand, 20.0f);
  SetConstant(emitter.tracks.BaseFixedForce, 15.0f);
  emitter.SetForceAngle(135.0f);
  SetConstant(effect.tracks.gravity, 0.2f);
  effect.record.durationSeconds = 10.0f;
  effect.record.elapsedSeconds = 1.0f;
}

// Spawns exactly count live particles (a multiple of 1000, at most the
// emitter's live limit) that outlive any benchmark run, then stops emission.
inline void FillEmitter(Emitter& emitter, Effect& effect, int32_t count) {
  SetConstant(emitter.tracks.BaseLife, 1000.0f);
  SetConstant(effect.tracks.ScaleLife, 100.0f);
  SetConstant(emitter.tracks.BaseQuantity, 1000.0f);
  while (emitter.GetParticleCount() < count) {
    const int32_t chunk = count - emitter.GetParticleCount() >= 10000 ? 10000 : 1000;
    SetConstant(effect.tracks.ScaleQuantity, static_cast<float>(chunk / 1000));
    emitter.Restart(false);
    emitter.Update(1.0f);
  }
  emitter.StopEmission();
}

// A fixed effect of three emitters that between them use every feature of
// the simulation: the busy emitter; an animated, additive box emitter with
// random rotation, random animation start and separate height, drawn newest
// first at the effect's offset; and a single-particle emitter. It plays in a
// loop of 3 seconds.
inline void BuildShowcase(SimulationWorld& world) {
  Effect& effect = *world.effect;
  effect.record.frameWidth = 120.0f;
  effect.record.frameHeight = 60.0f;
  effect.UpdateFrameCorners();
  effect.record.positionX = 320.0f;
  effect.record.positionY = 240.0f;
  SetRamp(effect.tracks.ScaleQuantity, 1.0f, 3.0f);
  SetConstant(effect.tracks.VarEmissionAngle, 30.0f);

  Emitter& busy = world.AddEmitter();
  ConfigureBusy(busy, effect);
  SetConstant(busy.tracks.BaseQuantity, 40.0f);
  SetConstant(busy.tracks.VarLife, 1.0f);
  SimulationWorld::GiveFrameSet(busy, "busy");

  Emitter& box = world.AddEmitter();
  box.record.spawnShape = 3;
  box.record.rotationMode = 2;
  box.record.uniformSize = false;
  box.record.additive = true;
  box.record.reverseDrawOrder = true;
  box.record.useEffectOffset = true;
  box.record.useEffectEmission = false;
  SetConstant(box.tracks.BaseQuantity, 25.0f);
  SetConstant(box.tracks.VarQuantity, 10.0f);
  SetConstant(box.tracks.BaseY, 5.0f);
  SetConstant(box.tracks.VarY, 2.0f);
  SetConstant(box.tracks.VarSpeed, 4.0f);
  SetConstant(box.tracks.BaseEmissionArc, 60.0f);
  SetRamp(box.tracks.LifeSpeed, 1.0f, 0.0f);
  box.record.animated = true;
  box.record.frameAnimation.cycleLength = 0.8f;
  box.record.frameAnimation.loop = true;
  box.record.frameAnimation.randomStart = true;
  box.record.frameAnimation.frameSet = static_cast<FrameSet*>(
      CurrentTextureManager()->Acquire(TextureManager::FrameSetKind, "flipbook"));
  for (int i = 0; i < 8; ++i) {
    box.record.frameAnimation.frameSet->AddFrame(i * 0.125f, 0.0f, (i + 1) * 0.125f, 1.0f);
  }

  Emitter& single = world.AddEmitter();
  single.record.singleParticle = true;
  single.record.rotationMode = 0;
  single.record.alignToMotion = true;
  SetRamp(single.tracks.LifeVisible, 0.2f, 1.0f);
  SimulationWorld::GiveFrameSet(single, "glow");

  effect.record.durationSeconds = 3.0f;
  effect.record.endMode = 1;
}

// The fixed millisecond sequence of the determinism test: uneven frames,
// a stall and a few zero steps.
inline int32_t ShowcaseStepMs(int frame) {
  static const int32_t pattern[] = {16, 17, 16, 33, 0, 16, 50, 16, 17, 250, 16, 8};
  return pattern[frame % 12];
}

}  // namespace tavrix::test
