// The Effect's construction and teardown, its key table, its frame and size
// queries, and the update threads it takes from its owner.
#include "effectfile/Effect.h"

#include "base/SafeConvert.h"
#include "effectfile/EffectTracks.h"
#include "tavrix/ResultCode.h"

namespace tavrix {

const TrackDefault<EffectBase::Tracks> kEffectTrackDefaults[kEffectTrackCount] = {
    {"ScaleLife", &EffectBase::Tracks::ScaleLife, 1000, 0, 100, 1},
    {"ScaleQuantity", &EffectBase::Tracks::ScaleQuantity, 1000, 0, 100, 1},
    {"ScaleX", &EffectBase::Tracks::ScaleX, 1000, 0, 100, 1},
    {"ScaleY", &EffectBase::Tracks::ScaleY, 1000, 0, 100, 1},
    {"ScaleSpeed", &EffectBase::Tracks::ScaleSpeed, 1000, 0, 100, 1},
    {"ScaleSpin", &EffectBase::Tracks::ScaleSpin, 1000, -100, 100, 1},
    {"ScaleFixedForce", &EffectBase::Tracks::ScaleFixedForce, 1000, -100, 100, 1},
    {"ScaleRand", &EffectBase::Tracks::ScaleRand, 1000, 0, 100, 1},
    {"ScaleVisible", &EffectBase::Tracks::ScaleVisible, 1000, 0, 100, 1},
    {"BaseEmissionForce", &EffectBase::Tracks::BaseEmissionForce, 1000, -1000, 1000, 5},
    {"VarEmissionForce", &EffectBase::Tracks::VarEmissionForce, 1000, 0, 2000, 0},
    {"BaseEmissionAngle", &EffectBase::Tracks::BaseEmissionAngle, 1000, -3600, 3600, 0},
    {"VarEmissionAngle", &EffectBase::Tracks::VarEmissionAngle, 1000, 0, 720, 0},
    {"BaseEmissionArc", &EffectBase::Tracks::BaseEmissionArc, 1000, 0, 360, 360},
    {"VarEmissionArc", &EffectBase::Tracks::VarEmissionArc, 1000, 0, 720, 0},
    {"speed_whole", &EffectBase::Tracks::speed_whole, 1, 0, 100, 1},
    {"gravity", &EffectBase::Tracks::gravity, 1, 0, 100, 0},
    {"sizeEffect", &EffectBase::Tracks::sizeEffect, 400, 400, 0, 0},
};

namespace {

int32_t SizeOrDefault(float v) {
  const int32_t size = TruncateToInt32(v);
  return size == 0 ? DefaultEffectSize : size;
}

}  // namespace

Effect::Effect(int32_t id, IEffectRegistry* owner, int32_t depth) {
  run.id = id;
  run.owner = owner;
  run.depth = depth;
  RegisterTracks(tracks, kEffectTrackDefaults);
}

Effect::~Effect() {
  ClearEmitters();
  emitters.Release();
  tracks.keys.Release();
}

ParamTrack* Effect::FindTrack(const char* name) { return FindKeyedTrack(tracks.keys, name); }

void Effect::UpdateFrameCorners() {
  const float w = record.frameWidth;
  const float h = record.frameHeight;
  const float left = -(w * 0.5f);
  const float top = -(h * 0.5f);
  run.frameCorners[0] = {left, top};
  run.frameCorners[1] = {left + w, top};
  run.frameCorners[2] = {left + w, top + h};
  run.frameCorners[3] = {left, top + h};
}

int32_t Effect::GetWidth() const { return SizeOrDefault(tracks.sizeEffect.Duration()); }

int32_t Effect::GetHeight() const { return SizeOrDefault(tracks.sizeEffect.Minimum()); }

UpdateWorkers* Effect::Workers() const {
  return run.owner && run.depth == 0 ? run.owner->Workers() : nullptr;
}

}  // namespace tavrix
