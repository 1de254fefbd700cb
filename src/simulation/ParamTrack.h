// A keyframed, piecewise-linear curve over a time domain with a value range
// and a default: every tunable quantity of emitters and effects is one.
#pragma once

#include <cstdint>

#include "effectfile/DataStream.h"
#include "module/HostVector.h"

namespace tavrix {

struct TrackKey {
  float time;
  float value;
};

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
  void SetCycles(float cycles) { cycles_ = cycles; }
  float Duration() const { return duration_; }
  float Minimum() const { return minimum_; }
  float Maximum() const { return maximum_; }
  float DefaultValue() const { return defaultValue_; }
  float Clamp(float v) const;

 private:
  HostVector<TrackKey, HeapStorage> keys_;
  float cycles_ = 1.0f;
  float duration_ = 1.0f;
  float minimum_ = 0.0f;
  float maximum_ = 1.0f;
  float defaultValue_ = 0.0f;
};

// A Base value varied by a Var spread, clamped to the base track's range;
// each call draws exactly one value of the process-wide random source.
float Sample(const ParamTrack& base, const ParamTrack& var, float time);
float SampleScaled(const ParamTrack& base, const ParamTrack& var, const ParamTrack& scale,
                   float time);

}  // namespace tavrix
