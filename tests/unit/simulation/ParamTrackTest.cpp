// Parameter tracks: range and reset, key insertion, evaluation (also against
// a literal reading of the algorithm, to prove the shortcuts change no bit),
// the sampling rules' single draw, and hostile values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/FloatBits.h"
#include "base/RandomSource.h"
#include "simulation/ParamTrack.h"

namespace tavrix {
namespace {

// The evaluation steps taken literally: clamp, fmod every time, walk from
// the first key. Only the guards for arguments with no segment (NaN, before
// the first key) are shared with the library.
float LiteralEvaluate(const ParamTrack& track, float x) {
  const uint32_t n = track.KeyCount();
  if (std::fabs(x) < 0.000001 || n < 2) return track.Key(0).value;
  float c = x;
  if (c < 0.0f) c = 0.0f;
  if (c > track.Duration()) c = track.Duration();
  const float u = static_cast<float>(
      std::fmod(static_cast<double>(c * track.Cycles()), track.Duration() + 0.000001));
  if (u >= track.Key(n - 1).time) return track.Key(n - 1).value;
  if (!(u > track.Key(0).time)) return track.Key(0).value;
  uint32_t i = 0;
  while (track.Key(i).time < u) ++i;
  if (track.Key(i).time == u) return track.Key(i).value;
  const TrackKey a = track.Key(i - 1);
  const TrackKey b = track.Key(i);
  const float f = (u - a.time) / (b.time - a.time);
  return (1.0f - f) * a.value + f * b.value;
}

// AddKey as first described: walk from the first key.
int32_t LiteralAddKey(std::vector<TrackKey>& keys, float duration, float time, float value) {
  if (time > duration) return -1;
  size_t i = 0;
  for (; i < keys.size(); ++i) {
    if (keys[i].time == time) {
      keys[i].value = value;
      return static_cast<int32_t>(i);
    }
    if (keys[i].time > time) break;
  }
  keys.insert(keys.begin() + static_cast<long>(i), TrackKey{time, value});
  return static_cast<int32_t>(i);
}

TEST(ParamTrack, SetRangeSwapsWidensAndFallsBackToTheMinimum) {
  ParamTrack track;
  track.SetRange(1000, 0, 1000, 2000);
  EXPECT_EQ(track.DefaultValue(), 0.0f);
  track.SetRange(0, 1, 1, 1);
  EXPECT_EQ(track.Duration(), 1.0f);
  EXPECT_EQ(track.Minimum(), 1.0f);
  EXPECT_EQ(track.Maximum(), 1.0f + 0.001f);
  EXPECT_EQ(track.DefaultValue(), 1.0f);
  track.SetRange(400, 400, 0, 0);
  EXPECT_EQ(track.Minimum(), 0.0f);
  EXPECT_EQ(track.Maximum(), 400.0f);
  track.SetCycles(3.0f);
  track.SetRange(-5, 0, 1, 0.5f);
  EXPECT_EQ(track.Duration(), 1.0f);
  EXPECT_EQ(track.Cycles(), 3.0f) << "SetRange leaves cycles alone";
  ASSERT_EQ(track.KeyCount(), 1u);
  EXPECT_EQ(track.Key(0).time, 0.0f);
  EXPECT_EQ(track.Key(0).value, 0.5f);
}

TEST(ParamTrack, AddKeyOverwritesInsertsInOrderAndRefusesPastTheDomain) {
  ParamTrack track;
  track.SetRange(1, 0, 10, 0);
  EXPECT_EQ(track.AddKey(1.0f, 10.0f), 1) << "a key at exactly duration is accepted";
  EXPECT_EQ(track.AddKey(0.5f, 4.0f), 1);
  EXPECT_EQ(track.AddKey(0.5f, 6.0f), 1);
  EXPECT_EQ(track.AddKey(1.5f, 1.0f), -1);
  EXPECT_EQ(track.AddKey(std::numeric_limits<float>::quiet_NaN(), 1.0f), -1);
  ASSERT_EQ(track.KeyCount(), 3u);
  EXPECT_EQ(track.Key(1).value, 6.0f);
  EXPECT_EQ(track.Key(2).time, 1.0f);
  EXPECT_EQ(track.AddKey(0.0f, 3.0f), 0);
  EXPECT_EQ(track.Key(0).value, 3.0f);
  track.Reset();
  EXPECT_EQ(track.KeyCount(), 1u);
}

TEST(ParamTrack, AddKeyMatchesTheWalkFromTheFirstKey) {
  RandomSource random;
  random.Seed(99);
  for (int round = 0; round < 200; ++round) {
    ParamTrack track;
    track.SetRange(10, -5, 5, 0);
    std::vector<TrackKey> literal{{0.0f, 0.0f}};
    for (int k = 0; k < 40; ++k) {
      // Mostly ascending, with repeats and out-of-order keys mixed in.
      const float time = static_cast<float>(static_cast<int>(random.NextUnit() * 24) * 0.5 - 1);
      const float value = static_cast<float>(random.NextUnit());
      ASSERT_EQ(track.AddKey(time, value), LiteralAddKey(literal, 10, time, value));
    }
    ASSERT_EQ(track.KeyCount(), literal.size());
    for (uint32_t i = 0; i < track.KeyCount(); ++i) {
      EXPECT_EQ(track.Key(i).time, literal[i].time);
      EXPECT_EQ(track.Key(i).value, literal[i].value);
    }
  }
}

TEST(ParamTrack, KeyCountIsBoundedButOverwritesStillWork) {
  ParamTrack track;
  track.SetRange(1e6f, 0, 1, 0);
  int32_t last = 0;
  for (int i = 1; i < 5000 && last >= 0; ++i) last = track.AddKey(static_cast<float>(i), 1.0f);
  EXPECT_EQ(last, -1);
  EXPECT_EQ(track.KeyCount(), 1024u);
  EXPECT_EQ(track.AddKey(5.0f, 0.25f), 5);
  EXPECT_EQ(track.Key(5).value, 0.25f);
}

TEST(ParamTrack, EvaluateInterpolatesClampsAndCycles) {
  ParamTrack single;
  single.SetRange(1, 0, 10, 4);
  for (float x : {-3.0f, 0.0f, 0.3f, 1.0f, 7.0f}) EXPECT_EQ(single.Evaluate(x), 4.0f);

  ParamTrack track;
  track.SetRange(1, 0, 10, 0);
  track.AddKey(1.0f, 10.0f);
  EXPECT_EQ(track.Evaluate(0.25f), 2.5f);
  EXPECT_EQ(track.Evaluate(1.0f), 10.0f);
  EXPECT_EQ(track.Evaluate(-2.0f), track.Evaluate(0.0f));
  EXPECT_EQ(track.Evaluate(5.0f), track.Evaluate(1.0f));
  EXPECT_EQ(track.Evaluate(0.0000005f), 0.0f) << "arguments within 1e-6 of 0 give the first key";
  track.SetCycles(2.0f);
  EXPECT_NEAR(track.Evaluate(0.75f), 5.0f, 1e-4);
}

TEST(ParamTrack, EvaluateOfHostileArgumentsAndCyclesIsDefined) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  ParamTrack track;
  track.SetRange(1, 0, 10, 3);
  track.AddKey(0.5f, 7.0f);
  EXPECT_EQ(track.Evaluate(nan), 3.0f);
  EXPECT_EQ(track.Evaluate(inf), 7.0f);
  EXPECT_EQ(track.Evaluate(-inf), 3.0f);
  for (float cycles : {-1.0f, nan, inf, -inf}) {
    track.SetCycles(cycles);
    EXPECT_EQ(track.Evaluate(0.25f), 3.0f) << cycles;
  }
}

// Every shape a track takes as keys and cycles change (one key, two keys,
// more keys, one cycle or several, a finite or infinite domain) evaluates to
// the literal walk's bits, for ordinary and hostile arguments alike.
TEST(ParamTrack, EvaluateShortcutsGiveTheLiteralResultBitForBit) {
  RandomSource random;
  random.Seed(12345);
  const float inf = std::numeric_limits<float>::infinity();
  const float durations[] = {1.0f, 1000.0f, 0.3f, 400.0f, 1e-3f, inf};
  const float cyclesList[] = {1.0f, 2.0f, 0.5f, 3.7f, -1.0f};
  // 0x1.0c6f7ap-20 and the float above it border 0.000001.
  const float special[] = {0.0f,
                           -0.0f,
                           5e-7f,
                           -5e-7f,
                           0x1.0c6f7ap-20f,
                           0x1.0c6f7cp-20f,
                           -0x1.0c6f7cp-20f,
                           inf,
                           -inf,
                           std::numeric_limits<float>::quiet_NaN(),
                           1.0f,
                           1e30f};
  for (float duration : durations) {
    for (float cycles : cyclesList) {
      ParamTrack track;
      track.SetRange(duration, -100, 100, 1);
      track.SetCycles(cycles);
      const float span = duration == inf ? 1000.0f : duration;
      for (int k = 0; k < 6; ++k) {
        for (int i = 0; i < 400; ++i) {
          const float x = static_cast<float>((random.NextUnit() * 1.4 - 0.2) * span);
          ASSERT_EQ(FloatBits(track.Evaluate(x)), FloatBits(LiteralEvaluate(track, x)))
              << "duration " << duration << " cycles " << cycles << " keys " << k + 1 << " x " << x;
        }
        for (float x : special)
          ASSERT_EQ(FloatBits(track.Evaluate(x)), FloatBits(LiteralEvaluate(track, x)));
        for (uint32_t i = 0; i < track.KeyCount(); ++i) {
          const float x = track.Key(i).time;
          ASSERT_EQ(FloatBits(track.Evaluate(x)), FloatBits(LiteralEvaluate(track, x)));
        }
        track.AddKey(static_cast<float>(random.NextUnit() * span),
                     static_cast<float>(random.NextUnit() * 200 - 100));
      }
    }
  }
}

// Ramps whose keys lie a power of two apart multiply by the reciprocal.
TEST(ParamTrack, RampsOfPowerOfTwoSpansGiveTheLiteralResultBitForBit) {
  RandomSource random;
  random.Seed(777);
  const float spans[][2] = {{0.0f, 1.0f},       {0.0f, 0.5f}, {0.25f, 0.75f},
                            {0.0f, 0.0078125f}, {0.5f, 1.0f}, {0.0f, 1e-30f}};
  for (const auto& span : spans) {
    ParamTrack track;
    track.SetRange(1.0f, -100, 100, 0.3f);
    track.AddKey(span[0], -7.25f);
    track.AddKey(span[1], 93.1f);
    for (int i = 0; i < 5000; ++i) {
      const float x = static_cast<float>(random.NextUnit() * random.NextUnit());
      ASSERT_EQ(FloatBits(track.Evaluate(x)), FloatBits(LiteralEvaluate(track, x)))
          << span[1] << " " << x;
    }
  }
}

TEST(ParamTrack, SamplingRulesDrawOnceAndClampToTheBaseRange) {
  ParamTrack base, var, scale;
  base.SetRange(1000, 0, 10, 4);
  var.SetRange(1000, 0, 20, 0);
  scale.SetRange(1000, 0, 100, 1.5f);

  ProcessRandom().Seed(LoadSeed());
  RandomSource mirror;
  mirror.Seed(LoadSeed());
  EXPECT_EQ(Sample(base, var, 0.0f), 4.0f) << "a Var of 0 gives the Base value";
  mirror.Next();
  EXPECT_EQ(ProcessRandom().Next(), mirror.Next()) << "and still consumes one draw";

  var.Reset();
  var.AddKey(0.0f, 2.0f);
  const double r = mirror.NextUnit();
  EXPECT_EQ(Sample(base, var, 0.0f), static_cast<float>(4.0 + (-1.0 + r * 2.0)));
  const double r2 = mirror.NextUnit();
  EXPECT_EQ(SampleScaled(base, var, scale, 0.0f),
            static_cast<float>((4.0 + (-1.0 + r2 * 2.0)) * 1.5));
  EXPECT_EQ(ProcessRandom().Next(), mirror.Next());

  scale.Reset();
  scale.AddKey(0.0f, 100.0f);
  EXPECT_EQ(SampleScaled(base, var, scale, 0.0f), 10.0f);
  scale.Reset();
  scale.AddKey(0.0f, 0.0f);
  base.SetRange(1000, 2, 10, 4);
  EXPECT_EQ(SampleScaled(base, var, scale, 0.0f), 2.0f);
}

TEST(ParamTrack, ANotANumberValueClampsToTheMinimum) {
  ParamTrack base, var;
  base.SetRange(1000, -5, 10, 0);
  base.AddKey(0.0f, std::numeric_limits<float>::quiet_NaN());
  var.SetRange(1000, 0, 20, 0);
  EXPECT_EQ(Sample(base, var, 0.0f), -5.0f);
}

}  // namespace
}  // namespace tavrix
