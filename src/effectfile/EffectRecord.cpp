// The effect record: reading and writing an effect with its tracks, its
// emitters and its placement and run state, and creating emitters from
// their type tags.
#include <cstdio>

#include "base/Allocator.h"
#include "effectfile/Effect.h"
#include "simulation/Emitter.h"
#include "simulation/SubEffectEmitter.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

// The version a record is written with; reading accepts any.
constexpr int32_t kRecordVersion = 1;

void NameEmitter(IParticleEmitter& emitter, int32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "Emitter_%d", number);
  emitter.SetName(name);
}

}  // namespace

int32_t Effect::Read(IDataStream& stream) {
  ClearEmitters();
  uint32_t tag = 0;
  uint32_t version = 0;
  if (!ReadField(stream, tag) || !ReadField(stream, version)) return EffectHeaderUnreadable;

  uint32_t trackCount = 0;
  if (!ReadField(stream, trackCount)) return EffectTrackCountUnreadable;
  for (uint32_t i = 0; i < trackCount; ++i) {
    char name[256];
    ReadShortString(stream, name);
    ParamTrack* track = FindTrack(name);
    if (!track) return EffectTrackUnknown;
    if (!track->Read(stream)) return EffectTrackUnreadable;
  }

  int32_t emitterCount = 0;
  if (!ReadField(stream, emitterCount)) return EffectEmittersUnreadable;
  for (int32_t i = 0; i < emitterCount; ++i) {
    IParticleEmitter* emitter = CreateEmitter(stream);
    if (!emitter) return EffectEmittersUnreadable;
    int32_t result = emitter->Read(stream);
    if (result >= 0 && !emitters.PushBack(emitter)) result = EffectEmittersUnreadable;
    if (result < 0) {
      emitter->Release();
      ClearEmitters();
      return result;
    }
    const char* name = emitter->GetName();
    if (!name || name[0] == '\0') NameEmitter(*emitter, i);
  }

  if (!ReadField(stream, record.positionX) || !ReadField(stream, record.positionY) ||
      !ReadField(stream, record.frameWidth) || !ReadField(stream, record.frameHeight)) {
    return EffectPlacementUnreadable;
  }
  UpdateFrameCorners();

  if (!ReadFlag(stream, record.running) || !ReadField(stream, record.elapsedSeconds) ||
      !ReadFlag(stream, record.stopping) || !ReadField(stream, record.endMode) ||
      !ReadField(stream, record.durationSeconds)) {
    ClearEmitters();
    return EffectStateUnreadable;
  }
  return Success;
}

int32_t Effect::Write(IDataStream& stream) {
  if (!WriteField(stream, static_cast<int32_t>(EffectTag)) || !WriteField(stream, kRecordVersion)) {
    return EffectHeaderNotWritten;
  }
  if (!WriteField(stream, tracks.keys.Size())) return EffectTrackCountNotWritten;
  for (const KeyedTrack& entry : tracks.keys) {
    WriteShortString(stream, entry.key);
    if (!entry.track->Write(stream)) return EffectTrackNotWritten;
  }

  WriteField(stream, emitters.Size());
  for (IParticleEmitter* emitter : emitters) {
    int32_t result = emitter->Write(stream);
    if (result != 0) return result;
  }

  if (!WriteField(stream, record.positionX) || !WriteField(stream, record.positionY) ||
      !WriteField(stream, record.frameWidth) || !WriteField(stream, record.frameHeight)) {
    return EffectPlacementNotWritten;
  }
  if (!WriteFlag(stream, record.running) || !WriteField(stream, record.elapsedSeconds) ||
      !WriteFlag(stream, record.stopping) || !WriteField(stream, record.endMode) ||
      !WriteField(stream, record.durationSeconds)) {
    return EffectStateNotWritten;
  }
  return Success;
}

IParticleEmitter* Effect::CreateEmitter(IDataStream& stream) {
  if (record.running) Stop(false);
  uint32_t tag = 0;
  if (!ReadField(stream, tag)) return nullptr;
  stream.Seek(-4, 1);

  IParticleEmitter* emitter = nullptr;
  if (tag == EmitterTag) {
    emitter = New<Emitter>();
  } else if (tag == SubEffectTag) {
    emitter = New<SubEffectEmitter>();
  }
  if (!emitter) return nullptr;
  emitter->Init(this);
  NameEmitter(*emitter, run.nextEmitterNumber++);
  return emitter;
}

void Effect::ClearEmitters() {
  Stop(false);
  for (IParticleEmitter* emitter : emitters) emitter->Release();
  emitters.Clear();
}

}  // namespace tavrix
