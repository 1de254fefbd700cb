// The sub-effect emitter: its record, the copies it loads from the nested
// effect file with the standard generator's draws, the start delay, and the
// forwarding of update, draw and stop to the copies.
#include "simulation/SubEffectEmitter.h"

#include <cstdlib>

#include "base/SafeConvert.h"
#include "platform/Win32.h"
#include "resources/NameTable.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

// Any field of this record that cannot be written gives hosts the code the
// ordinary emitter gives for a track, which the table of result codes
// names for both.
constexpr int32_t kFieldNotWritten = EmitterTrackNotWritten;

// At least 1, so that it can be the divisor of a draw.
int32_t AtLeastOne(int32_t n) { return n < 1 ? 1 : n; }

// A value from min upwards in steps of 0.01, below max: one draw.
float RandomInRange(float min, float max) {
  int32_t steps = AtLeastOne(TruncateToInt32((max - min) * 100.0f));
  return static_cast<float>((std::rand() % steps) * 0.01 + min);
}

const char* ReadName(IDataStream& stream) {
  char text[256];
  ReadShortString(stream, text);
  return InternName(text);
}

}  // namespace

// Copies left behind by a path that skipped Release go with the emitter, so
// none outlives the pool its particles come from.
SubEffectEmitter::~SubEffectEmitter() { DestroyCopies(); }

void SubEffectEmitter::Release() {
  DestroyCopies();
  Destroy(1);
}

void SubEffectEmitter::Init(EffectBase* owner) { owner_ = owner; }

void SubEffectEmitter::SetName(const char* text) { name_ = InternName(text); }

int32_t SubEffectEmitter::Read(IDataStream& stream) {
  uint32_t magic = 0;
  uint32_t version = 0;
  if (!ReadField(stream, magic) || !ReadField(stream, version)) return EmitterHeaderUnreadable;
  if (magic != SubEffectTag || version < 1) return EmitterBadVersion;

  name_ = ReadName(stream);
  if (!ReadFlag(stream, enabled_) || !ReadField(stream, positionX_) ||
      !ReadField(stream, positionY_) || !ReadField(stream, startDelay_)) {
    return EmitterFlagUnreadable;
  }
  effectFile_ = ReadName(stream);
  if (!ReadField(stream, copiesMin_) || !ReadField(stream, copiesMax_) ||
      !ReadField(stream, speedMin_) || !ReadField(stream, speedMax_) ||
      !ReadField(stream, angleMin_) || !ReadField(stream, angleMax_)) {
    return EmitterFieldUnreadable;
  }
  return LoadCopies();
}

// The copies come from the registry of the effect that holds this emitter
// and take their particles from its pool.
int32_t SubEffectEmitter::LoadCopies() {
  DestroyCopies();
  std::srand(timeGetTime());
  int32_t spread = AtLeastOne(TruncateToInt32(copiesMax_ - copiesMin_));
  int32_t count = TruncateToInt32(copiesMin_ + static_cast<float>(std::rand() % spread));
  if (count > kMaxCopiesPerEmitter) count = kMaxCopiesPerEmitter;
  IEffectRegistry* registry = owner_ ? owner_->run.owner : nullptr;
  if (!registry || !registry->Pool() || owner_->run.depth >= kMaxNestingDepth) count = 0;

  IEffectRegistry::CopyOutcome outcome = IEffectRegistry::CopyMade;
  for (int32_t i = 0; i < count && outcome == IEffectRegistry::CopyMade; ++i) {
    outcome = LoadCopy(*registry, i);
  }
  // When the file cannot be opened, the copies made so far stay unstarted.
  if (outcome == IEffectRegistry::FileNotOpened) return Success;
  started_ = false;
  countdown_ = startDelay_;
  return Success;
}

IEffectRegistry::CopyOutcome SubEffectEmitter::LoadCopy(IEffectRegistry& registry, int32_t index) {
  EffectBase* copy = nullptr;
  const IEffectRegistry::CopyOutcome outcome = registry.LoadCopy(*owner_, effectFile_, index, copy);
  if (outcome != IEffectRegistry::CopyMade) return outcome;
  copy->SetBaseSpeed(RandomInRange(speedMin_, speedMax_));
  copy->SetBaseEmissionAngle(RandomInRange(angleMin_, angleMax_));
  copy->SetEmitterPositions(positionX_, positionY_);
  if (!copies_.PushBack(copy)) copy->Destroy(1);
  return outcome;
}

void SubEffectEmitter::DestroyCopies() {
  for (EffectBase* copy : copies_) {
    copy->Stop(false);
    copy->Destroy(1);
  }
  copies_.Clear();
}

int32_t SubEffectEmitter::Draw(IParticleRenderer& renderer) {
  if (!enabled_) return Success;
  for (EffectBase* copy : copies_) {
    int32_t result = copy->Draw(renderer);
    if (result < 0) return result;
  }
  return Success;
}

int32_t SubEffectEmitter::Restart(bool) { return Success; }

int32_t SubEffectEmitter::StopEmission() {
  for (EffectBase* copy : copies_) {
    int32_t result = copy->Stop(true);
    if (result < 0) return result;
  }
  return Success;
}

int32_t SubEffectEmitter::Kill() {
  for (EffectBase* copy : copies_) {
    int32_t result = copy->Stop(false);
    if (result < 0) return result;
  }
  return Success;
}

int32_t SubEffectEmitter::Clear() {
  for (EffectBase* copy : copies_) {
    int32_t result = copy->ClearParticles();
    if (result < 0) return result;
  }
  return Success;
}

int32_t SubEffectEmitter::Update(float dt) {
  if (enabled_ && started_) {
    int32_t deltaMs = TruncateToInt32(dt * 1000.0f);
    for (EffectBase* copy : copies_) {
      int32_t result = copy->AdvanceBy(deltaMs);
      if (result < 0) {
        Kill();
        return result;
      }
    }
  }
  if (started_) return Success;
  countdown_ = countdown_ - dt * 1000.0f;
  if (countdown_ <= 0.0f) {
    for (EffectBase* copy : copies_) copy->Start(0, true);
    started_ = true;
  }
  return Success;
}

int32_t SubEffectEmitter::GetParticleCount() {
  int32_t count = 0;
  for (EffectBase* copy : copies_) count += copy->GetParticleCount();
  return count;
}

int32_t SubEffectEmitter::Write(IDataStream& stream) {
  if (!WriteField(stream, static_cast<uint32_t>(SubEffectTag)) || !WriteField(stream, version_)) {
    return kFieldNotWritten;
  }
  WriteShortString(stream, name_ ? name_ : "");
  if (!WriteFlag(stream, enabled_) || !WriteField(stream, positionX_) ||
      !WriteField(stream, positionY_) || !WriteField(stream, startDelay_)) {
    return kFieldNotWritten;
  }
  WriteShortString(stream, effectFile_ ? effectFile_ : "");
  if (!WriteField(stream, copiesMin_) || !WriteField(stream, copiesMax_) ||
      !WriteField(stream, speedMin_) || !WriteField(stream, speedMax_) ||
      !WriteField(stream, angleMin_) || !WriteField(stream, angleMax_)) {
    return kFieldNotWritten;
  }
  return Success;
}

void SubEffectEmitter::SetParticleOffset(float x, float y) {
  for (EffectBase* copy : copies_) copy->SetPosition(x, y, true);
}

int32_t SubEffectEmitter::SetBaseSpeed(float) { return Success; }
int32_t SubEffectEmitter::SetBaseEmissionAngle(float) { return Success; }
void SubEffectEmitter::SetPosition(float, float) {}

}  // namespace tavrix
