// The ordinary emitter: 32 keyframed tracks turned into particles each frame,
// its record in an effect file, and the quads it hands to the renderer.
//
// Bounds against hostile files: at most kMaxSpawnPerUpdate particles are
// spawned by one Update and at most kMaxLiveParticles live per emitter; the
// emission backlog beyond them is kept, not lost. Every float-to-integer
// conversion (spawn count, current frame, colour channels) is defined for
// NaN, infinities and out-of-range values.
#pragma once

#include <cstdint>
#include <optional>

#include "base/Allocator.h"
#include "base/RandomSource.h"
#include "simulation/FrameAnimation.h"
#include "simulation/IParticleEmitter.h"
#include "simulation/ParamTrack.h"
#include "simulation/Particle.h"
#include "simulation/ParticleRing.h"
#include "simulation/TrackDefaults.h"

namespace tavrix {

class EffectBase;
class FrameSet;

class Emitter final : public IParticleEmitter {
 public:
  static constexpr uint32_t kMaxSpawnPerUpdate = 10000;
  static constexpr int32_t kMaxLiveParticles = 100000;
  static constexpr uint32_t kVersion = 1;

  Emitter() = default;
  ~Emitter();
  Emitter(const Emitter&) = delete;
  Emitter& operator=(const Emitter&) = delete;

  void Release() override { Destroy(1); }
  void Init(EffectBase* effect) override;
  int32_t Read(IDataStream& stream) override;
  void SetName(const char* text) override;
  const char* GetName() override;
  int32_t Draw(IParticleRenderer& renderer) override;
  int32_t Restart(bool clear) override;
  int32_t StopEmission() override;
  int32_t Kill() override;
  int32_t Clear() override;
  int32_t Update(float dt) override;
  bool IsEnabled() override { return record.enabled; }
  void SetEnabled(bool value) override;
  int32_t GetParticleCount() override { return ring_.Count(); }
  int32_t Write(IDataStream& stream) override;
  void SetParticleOffset(float x, float y) override;
  int32_t SetBaseSpeed(float v) override;
  int32_t SetBaseEmissionAngle(float v) override;
  void SetPosition(float x, float y) override;
  void* Destroy(unsigned int flags) override { return DestroyObject(this, flags); }

  // Update in parts, for stepping many emitters on the update threads as
  // one thread steps them one after another: Prepare ages and removes
  // particles and counts the draws each of the step's tasks will take (on
  // any thread); on the host's thread and in emitter order, Reserve
  // reserves those draws and draws the step's births, and SpawnReserved
  // spawns them; each task steps its share of the particles that were there
  // before the spawning (on any thread). Reserve says whether the tasks may
  // run while SpawnReserved spawns: not when the births would grow the
  // ring, which moves every column.
  void Prepare(float dt);
  bool Reserve(float dt);
  void SpawnReserved();
  static constexpr uint32_t kMaxTasks = 16;
  uint32_t Tasks() const { return taskCount_; }
  void StepTask(uint32_t task);

  ParamTrack* FindTrack(const char* key);
  void SetPivot(float px, float py);
  void SetForceAngle(float degrees);

  // The live particles, gathered from the columns with their corners; index
  // 0 is the oldest.
  Particle ParticleAt(int32_t index) const;
  std::optional<Particle> Oldest() const;
  std::optional<Particle> Newest() const;
  // The particle slots the emitter's block holds, live or not.
  uint32_t Capacity() const { return ring_.Capacity(); }

  // What the record stores besides the tracks, in its order: the header's
  // version, the name, the corners and the plain fields (EmitterFields.h),
  // then the frame animation block or the frame set block. The frame sets
  // are those the blocks name, held from the texture manager.
  struct Record {
    uint32_t version = kVersion;
    const char* name = nullptr;
    QuadPoint corners[4] = {};
    float emissionBacklog = 0.0f;
    bool enabled = true;
    bool uniformSize = true;
    float forceDirectionX = 0.0f;
    float forceDirectionY = -1.0f;
    float forceAngle = 0.0f;
    int32_t rotationMode = 1;
    float rotationOffset = 0.0f;
    bool alignToMotion = false;
    float randomRotationCentre = 0.0f;
    float randomRotationRange = 360.0f;
    float fixedRotation = 0.0f;
    int32_t spawnShape = 0;
    float pivotX = 0.5f;
    float pivotY = 0.5f;
    bool useEffectEmission = true;
    bool effectRotation = false;
    bool additive = false;
    bool singleParticle = false;
    bool useEffectOffset = false;
    bool reservedFlag = false;
    float positionX = 0.0f;
    float positionY = 0.0f;
    bool reverseDrawOrder = false;
    bool stopped = false;
    bool animated = false;
    FrameAnimation frameAnimation;
    const char* frameSetName = nullptr;
    const char* textureName = nullptr;
    FrameSet* frameSet = nullptr;
    uint32_t frameIndex = 0;
  };

  // The tracks under their key names, and the key table through which a
  // record names them.
  struct Tracks {
    ParamTrack BaseLife, VarLife, BaseQuantity, VarQuantity, BaseX, VarX, LifeX, BaseY, VarY, LifeY,
        BaseSpeed, VarSpeed, LifeSpeed, BaseSpin, VarSpin, LifeSpin, BaseFixedForce, VarFixedForce,
        LifeFixedForce, BaseRand, VarRand, LifeRand, BaseEmissionForce, VarEmissionForce,
        BaseEmissionAngle, VarEmissionAngle, BaseEmissionArc, VarEmissionArc, LifeRed, LifeGreen,
        LifeBlue, LifeVisible;
    TrackKeys keys;
  };

  Record record;
  Tracks tracks;

 private:
  // The run time: the effect that holds the emitter, and its live particles.
  EffectBase* owner_ = nullptr;
  ParticleRing ring_;

  // The step a Prepare planned: its particles, and per task, youngest first,
  // how many jitter and where their draws start.
  static constexpr uint32_t kLeastTask = 4096;
  StepPlan taskPlan_{};
  uint32_t taskParticles_ = 0;
  uint32_t taskSize_ = 0;
  uint32_t taskCount_ = 0;
  uint32_t taskJittering_[kMaxTasks] = {};
  RandomSource taskRandom_[kMaxTasks];
  uint32_t reservedBirths_ = 0;

  StepPlan Plan(float dt, bool birth) const;
  void AgeAndRemove(float dt);
  // The step of the particles in count slots from slot, the youngest first,
  // drawing from random.
  void StepSlots(const StepPlan& plan, uint32_t slot, uint32_t count, RandomSource& random);
  // The step of n particles from first; their draws come from random, or
  // are already in the scratch when there is none.
  void StepChunk(const StepPlan& plan, uint32_t first, uint32_t n, StepScratch& scratch,
                 RandomSource* random);

  void Emission(float dt);
  // The rate drawn anew every step, and the births it allows.
  uint32_t Births(float dt);
  // What every chunk of one Draw shares.
  struct ChunkDraw {
    const FrameSet* frames;
    UvRect uv;
    bool reversed;
    bool points;  // the renderer takes cut points rather than corners
  };
  void DrawChunk(IParticleRenderer& renderer, const ChunkDraw& draw, uint32_t first,
                 uint32_t n) const;
  // Spawns up to count particles; returns how many were born.
  uint32_t Spawn(const StepPlan& birth, uint32_t count);
  void RemoveAllParticles() { ring_.Clear(); }
  // The sampled birth values' tracks at the effect's time, evaluated once
  // for every particle born in one step; each particle takes its own draws.
  struct BirthSamplers {
    Sampler lifetime, width, height, speed, spin, steadyForce, jitter;
    Sampler emissionForce, emissionAngle, emissionArc;
  };
  BirthSamplers Samplers() const;
  void InitParticle(Particle& p, const BirthSamplers& samplers);
  void PlaceParticle(Particle& p);
  float EmissionDirection(Particle& p, const BirthSamplers& samplers);
  float BirthAngle(float direction) const;

  int32_t ReadFields(IDataStream& stream);
  int32_t WriteFields(IDataStream& stream) const;
};

}  // namespace tavrix
