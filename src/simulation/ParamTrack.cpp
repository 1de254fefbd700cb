// Keyframed curves: range and reset, key insertion, evaluation, the track
// body of a record, and the two sampling rules that turn a Base and a Var
// track into one random value.
#include "simulation/ParamTrack.h"

#include <algorithm>
#include <cmath>

#include "base/RandomSource.h"

namespace tavrix {
namespace {

// A track read from a file could otherwise hold as many keys as the file has
// bytes, and each key inserted out of order moves all later ones. No real
// curve comes near this; keys past it are refused like keys past the domain.
constexpr uint32_t kMaxKeys = 1024;

}  // namespace

void ParamTrack::SetRange(float duration, float boundA, float boundB, float defaultValue) {
  duration_ = duration > 0.0f ? duration : 1.0f;
  if (boundA > boundB) {
    const float swapped = boundA;
    boundA = boundB;
    boundB = swapped;
  }
  if (boundA == boundB) boundB = boundA + 0.001f;
  minimum_ = boundA;
  maximum_ = boundB;
  defaultValue_ = (defaultValue < minimum_ || defaultValue > maximum_) ? minimum_ : defaultValue;
  Reset();
}

void ParamTrack::Reset() {
  keys_.Clear();
  if (AddKey(0.0f, defaultValue_) < 0) Reshape();
}

void ParamTrack::SetCycles(float cycles) {
  cycles_ = cycles;
  Reshape();
}

void ParamTrack::Reshape() {
  const uint32_t count = keys_.Size();
  constant_ = count == 0 ? defaultValue_ : keys_[0].value;
  // Over a finite domain a clamped argument always lies below the period,
  // so one cycle never reaches the fmod.
  const bool oneCycle = cycles_ == 1.0f && std::isfinite(duration_);
  if (count < 2) {
    shape_ = Shape::Constant;
  } else if (!oneCycle) {
    shape_ = Shape::General;
  } else {
    shape_ = count == 2 ? Shape::Ramp : Shape::SingleCycle;
  }
  rampReciprocal_ = 0.0f;
  if (shape_ == Shape::Ramp) {
    int exponent = 0;
    const float span = keys_[1].time - keys_[0].time;
    const float reciprocal = 1.0f / span;
    if (std::frexp(span, &exponent) == 0.5f && std::isfinite(reciprocal) &&
        reciprocal * span == 1.0f) {
      rampReciprocal_ = reciprocal;
    }
  }
}

LaneTrack ParamTrack::Lanes() const {
  LaneTrack lanes{};
  lanes.shape = LaneTrack::Keys;
  lanes.constant = constant_;
  lanes.duration = duration_;
  lanes.reciprocal = rampReciprocal_;
  lanes.oneCycle = shape_ == Shape::SingleCycle;
  lanes.cycles = cycles_;
  lanes.period = static_cast<double>(duration_) + kTrackPeriodMargin;
  lanes.periodLimit = static_cast<float>(lanes.period);
  if (static_cast<double>(lanes.periodLimit) < lanes.period) {
    lanes.periodLimit = std::nextafter(lanes.periodLimit, INFINITY);
  }
  lanes.keys = keys_.Data();
  lanes.keyCount = keys_.Size();
  if (shape_ == Shape::Constant) lanes.shape = LaneTrack::Constant;
  if (shape_ == Shape::Ramp) {
    lanes.shape = LaneTrack::Ramp;
    lanes.time0 = keys_[0].time;
    lanes.value0 = keys_[0].value;
    lanes.time1 = keys_[1].time;
    lanes.value1 = keys_[1].value;
  }
  return lanes;
}

int32_t ParamTrack::AddKey(float time, float value) {
  // A key time that is not a number would sit nowhere in the order.
  if (time > duration_ || time != time) return -1;
  const uint32_t count = keys_.Size();
  uint32_t index = count;
  // Keys are sorted, so a key later than the last one goes straight to the
  // end; otherwise the first key not earlier than time is the place.
  if (count != 0 && !(time > keys_[count - 1].time)) {
    const TrackKey* place =
        std::lower_bound(keys_.begin(), keys_.end(), time,
                         [](const TrackKey& key, float t) { return key.time < t; });
    index = static_cast<uint32_t>(place - keys_.begin());
    if (keys_[index].time == time) {
      keys_[index].value = value;
      Reshape();
      return static_cast<int32_t>(index);
    }
  }
  if (count >= kMaxKeys || !keys_.Insert(index, TrackKey{time, value})) return -1;
  Reshape();
  return static_cast<int32_t>(index);
}

bool ParamTrack::Read(IDataStream& stream) {
  float cycles, duration, boundA, boundB, defaultValue;
  if (!ReadField(stream, cycles) || !ReadField(stream, duration) || !ReadField(stream, boundA) ||
      !ReadField(stream, boundB) || !ReadField(stream, defaultValue)) {
    return false;
  }
  SetRange(duration, boundA, boundB, defaultValue);
  SetCycles(cycles);
  int32_t keyCount;
  if (!ReadField(stream, keyCount)) return false;
  for (int32_t i = 0; i < keyCount; ++i) {
    TrackKey key;
    if (!ReadField(stream, key.time) || !ReadField(stream, key.value)) return false;
    AddKey(key.time, key.value);
  }
  return true;
}

bool ParamTrack::Write(IDataStream& stream) const {
  const int32_t keyCount = static_cast<int32_t>(keys_.Size());
  if (!WriteField(stream, cycles_) || !WriteField(stream, duration_) ||
      !WriteField(stream, minimum_) || !WriteField(stream, maximum_) ||
      !WriteField(stream, defaultValue_) || !WriteField(stream, keyCount)) {
    return false;
  }
  for (const TrackKey& key : keys_) {
    if (!WriteField(stream, key.time) || !WriteField(stream, key.value)) return false;
  }
  return true;
}

float Sample(const ParamTrack& base, const ParamTrack& var, float time) {
  return Sampler(base, var, time).Draw();
}

float SampleScaled(const ParamTrack& base, const ParamTrack& var, const ParamTrack& scale,
                   float time) {
  return Sampler(base, var, scale, time).Draw();
}

Sampler::Sampler(const ParamTrack& base, const ParamTrack& var, float time)
    : base_(&base),
      value_(base.Evaluate(time)),
      halfSpread_(var.Evaluate(time) * 0.5f),
      scale_(1.0f),
      scaled_(false) {}

Sampler::Sampler(const ParamTrack& base, const ParamTrack& var, const ParamTrack& scale, float time)
    : base_(&base),
      value_(base.Evaluate(time)),
      halfSpread_(var.Evaluate(time) * 0.5f),
      scale_(scale.Evaluate(time)),
      scaled_(true) {}

// The draw enters the arithmetic in double precision and the result is
// rounded to single precision once, before the clamp.
float Sampler::Draw() const {
  const float b = value_;
  const float h = halfSpread_;
  const double r = ProcessRandom().Draw();
  const double v = b + (-h + r * (2.0f * h));
  return base_->Clamp(static_cast<float>(scaled_ ? v * scale_ : v));
}

}  // namespace tavrix
