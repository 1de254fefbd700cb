// A keyframed, piecewise-linear curve over a time domain with a value range
// and a default: every tunable quantity of emitters and effects is one.
#pragma once

#include <cmath>
#include <cstdint>

#include "base/DataStream.h"
#include "base/HostVector.h"
#include "simulation/SimulationConstants.h"
#include "simulation/StepPlan.h"
#include "simulation/TrackKey.h"

namespace tavrix {

class ParamTrack {
 public:
  ParamTrack() = default;
  virtual ~ParamTrack() = default;
  ParamTrack(const ParamTrack&) = delete;
  ParamTrack& operator=(const ParamTrack&) = delete;

  void SetRange(float duration, float boundA, float boundB, float defaultValue);
  void Reset();
  int32_t AddKey(float time, float value);
  uint32_t KeyCount() const { return keys_.Size(); }
  const TrackKey& Key(uint32_t index) const { return keys_[index]; }
  float Evaluate(float x) const;

  bool Read(IDataStream& stream);
  bool Write(IDataStream& stream) const;

  float Cycles() const { return cycles_; }
  void SetCycles(float cycles);
  float Duration() const { return duration_; }
  float Minimum() const { return minimum_; }
  float Maximum() const { return maximum_; }
  float DefaultValue() const { return defaultValue_; }
  float Clamp(float v) const;
  // The track as the update's lanes evaluate it.
  LaneTrack Lanes() const;

 private:
  // How Evaluate walks the keys, chosen whenever they or the domain change:
  // every shortcut gives the same bits as the full walk.
  enum class Shape : uint8_t {
    Constant,     // no key or one: x does not matter
    Ramp,         // two keys in one cycle over a finite domain: one interpolation
    SingleCycle,  // one cycle over a finite domain: the fmod returns its argument
    General,
  };
  void Reshape();
  float EvaluateRamp(float x) const;
  float EvaluateWalk(float u) const;

  HostVector<TrackKey, HeapStorage> keys_;
  Shape shape_ = Shape::Constant;
  float constant_ = 0.0f;
  // A ramp whose keys lie a power of two apart divides by multiplying with
  // the exact reciprocal, which rounds the same real value the same way;
  // 0 for any other ramp.
  float rampReciprocal_ = 0.0f;
  float cycles_ = 1.0f;
  float duration_ = 1.0f;
  float minimum_ = 0.0f;
  float maximum_ = 1.0f;
  float defaultValue_ = 0.0f;
};

// Evaluation runs up to 13 times per live particle and step, so it is inline.
inline float ParamTrack::Evaluate(float x) const {
  switch (shape_) {
    case Shape::Constant: return constant_;
    case Shape::Ramp: return EvaluateRamp(x);
    case Shape::SingleCycle:
      if (std::fabs(x) <= kTrackAtZero) return keys_[0].value;
      return EvaluateWalk(x < 0.0f ? 0.0f : (x > duration_ ? duration_ : x));
    case Shape::General: break;
  }
  if (std::fabs(x) <= kTrackAtZero) return keys_[0].value;
  const float clamped = x < 0.0f ? 0.0f : (x > duration_ ? duration_ : x);
  const float scaled = clamped * cycles_;
  const double period = static_cast<double>(duration_) + kTrackPeriodMargin;
  // fmod leaves a non-negative value below the period unchanged, so the
  // common single-cycle case skips the call with the same result.
  const float u = (scaled >= 0.0f && scaled < period)
                      ? scaled
                      : static_cast<float>(std::fmod(static_cast<double>(scaled), period));
  return EvaluateWalk(u);
}

// u is the key time x falls on, or not a number.
inline float ParamTrack::EvaluateWalk(float u) const {
  const TrackKey* keys = keys_.Data();
  const TrackKey& last = keys[keys_.Size() - 1];
  if (u >= last.time) return last.value;
  // Not a number, or before the first key (a negative cycle count does that):
  // there is no segment to interpolate, so the first key holds.
  if (!(u > keys[0].time)) return keys[0].value;
  uint32_t i = 1;
  while (keys[i].time < u) ++i;
  if (keys[i].time == u) return keys[i].value;
  const float f = (u - keys[i - 1].time) / (keys[i].time - keys[i - 1].time);
  return (1.0f - f) * keys[i - 1].value + f * keys[i].value;
}

inline float ParamTrack::EvaluateRamp(float x) const {
  const TrackKey* keys = keys_.Data();
  if (std::fabs(x) <= kTrackAtZero) return keys[0].value;
  const float u = x < 0.0f ? 0.0f : (x > duration_ ? duration_ : x);
  if (u >= keys[1].time) return keys[1].value;
  if (!(u > keys[0].time)) return keys[0].value;
  const float f = rampReciprocal_ != 0.0f ? (u - keys[0].time) * rampReciprocal_
                                          : (u - keys[0].time) / (keys[1].time - keys[0].time);
  return (1.0f - f) * keys[0].value + f * keys[1].value;
}

inline float ParamTrack::Clamp(float v) const {
  // Not a number becomes the minimum, so no NaN leaves a sampling rule.
  if (!(v >= minimum_)) return minimum_;
  return v > maximum_ ? maximum_ : v;
}

// A Base value varied by a Var spread, clamped to the base track's range;
// each call draws exactly one value of the process-wide random source.
float Sample(const ParamTrack& base, const ParamTrack& var, float time);
float SampleScaled(const ParamTrack& base, const ParamTrack& var, const ParamTrack& scale,
                   float time);

// The same with the tracks evaluated once at one time, for the many
// particles born together; each Draw takes one value, as a call would.
class Sampler {
 public:
  Sampler(const ParamTrack& base, const ParamTrack& var, float time);
  Sampler(const ParamTrack& base, const ParamTrack& var, const ParamTrack& scale, float time);
  float Draw() const;

 private:
  const ParamTrack* base_;
  float value_;
  float halfSpread_;
  float scale_;
  bool scaled_;
};

}  // namespace tavrix
