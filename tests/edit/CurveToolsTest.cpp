// The curve tools of the editing model: a selection of keys moved together
// as one undo step, curves and keys through the text clipboard, presets, the
// snapping grid and the span of time the canvas shows.
#include <gtest/gtest.h>

#include <cmath>

#include "edit/CurveClipboard.h"
#include "edit/CurveGrid.h"
#include "edit/CurvePresets.h"
#include "edit/CurveView.h"
#include "edit/EffectTemplate.h"
#include "edit/KeySelection.h"
#include "edit/TrackEdits.h"

namespace tavrix::edit {
namespace {

const TrackRef Visible{0, "LifeVisible"};  // the template's keys: (0, 1) and (1, 0)

// LifeVisible with a third key between the template's two.
EffectDocument ThreeKeys() {
  EffectDocument document(NewEffect());
  EXPECT_TRUE(document.Apply(AddKey(Visible, 0.5f, 0.5f)).accepted);
  document.CloseStep();
  return document;
}

std::vector<TrackKey> KeysOf(const EffectDocument& document, const TrackRef& track) {
  return TrackState(document.Record(), track).keys;
}

void ExpectKeys(const std::vector<TrackKey>& actual, const std::vector<TrackKey>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i].time, expected[i].time, 1e-6f) << "key " << i;
    EXPECT_NEAR(actual[i].value, expected[i].value, 1e-6f) << "key " << i;
  }
}

struct Move {
  KeySet keys;
  float dt, dv;
  std::vector<TrackKey> expected;
};

class MoveKeysTest : public testing::TestWithParam<Move> {};

// Dragged in two frames: one step, clamped to the range and the neighbours.
TEST_P(MoveKeysTest, MovesTogetherAsOneStepThatUndoRestores) {
  EffectDocument document = ThreeKeys();
  const Json start = document.Record();
  for (int frame = 0; frame < 2; ++frame)
    ASSERT_TRUE(
        document.Apply(MoveKeys(Visible, GetParam().keys, GetParam().dt / 2, GetParam().dv / 2))
            .accepted);
  ExpectKeys(KeysOf(document, Visible), GetParam().expected);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Record(), start);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, MoveKeysTest,
    testing::Values(Move{{1}, 0.2f, 0.2f, {{0, 1}, {0.7f, 0.7f}, {1, 0}}},
                    // The last key holds the domain's end; values stop at the top.
                    Move{{1, 2}, 0.4f, 0.8f, {{0, 1}, {0.5f, 1}, {1, 0.5f}}},
                    // The first key stays at time 0 while the others move.
                    Move{{0, 1}, 0.2f, -2, {{0, 0.5f}, {0.7f, 0}, {1, 0}}},
                    // Stopped just after the first key, never onto it.
                    Move{{1}, -2, 0, {{0, 1}, {0, 0.5f}, {1, 0}}}));

TEST(CurveClipboardTest, CurvesAndKeysPasteOntoOtherTracksEmittersAndEffects) {
  EffectDocument source = ThreeKeys();
  const TrackBody visible = TrackState(source.Record(), Visible);
  EffectDocument target(NewEffect());
  const TrackRef red{0, "LifeRed"}, effectRed{-1, "ScaleVisible"};
  ASSERT_TRUE(target.Apply(PasteCurve(red, CurveText(visible, Visible.key))).accepted);
  ExpectKeys(KeysOf(target, red), visible.keys);
  ASSERT_TRUE(target.Apply(PasteCurve(effectRed, CurveText(visible, Visible.key))).accepted);
  ExpectKeys(KeysOf(target, effectRed), visible.keys);
  // Chosen keys join the track's at their times; its first key stays.
  ASSERT_TRUE(target.Apply(ResetTrack(red)).accepted);
  ASSERT_TRUE(target.Apply(MoveKey(red, 0, 0, 0.3f)).accepted);
  ASSERT_TRUE(target.Apply(PasteKeys(red, KeysText(visible, Visible.key, {1}))).accepted);
  ExpectKeys(KeysOf(target, red), std::vector<TrackKey>{{0, 0.3f}, {0.5f, 0.5f}});
}

struct BadText {
  std::string text, reason;
};

class MalformedClipboardTest : public testing::TestWithParam<BadText> {};

TEST_P(MalformedClipboardTest, IsRefusedWithItsReasonAndChangesNothing) {
  EffectDocument document = ThreeKeys();
  const Json before = document.Record();
  const EditResult result = document.Apply(PasteCurve(Visible, GetParam().text));
  EXPECT_FALSE(result.accepted);
  EXPECT_NE(result.message.find(GetParam().reason), std::string::npos) << result.message;
  EXPECT_EQ(document.Record(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedClipboardTest,
    testing::Values(BadText{"0 1\n0.5 2", "holds no curve"}, BadText{"", "holds no curve"},
                    BadText{"[1, 2]", "not a track entry"}, BadText{R"({"keys": 3})", "no list"},
                    BadText{R"({"keys": [{"time": 0}]})", "a key's value holds no number"},
                    BadText{R"({"keys": [{"time": 2, "value": 0}]})", "must lie from 0 to 1"},
                    BadText{R"({"keys": [{"time": 0, "value": 7}]})", "a pasted value"},
                    BadText{R"({"cycles": 0, "keys": []})", "cycles"}));

struct Preset {
  const char* name;
  std::vector<float> values;  // at evenly spaced times over the domain
};

class PresetTest : public testing::TestWithParam<Preset> {};

TEST_P(PresetTest, GivesItsShapeBetweenTheValuesAsOneStep) {
  EffectDocument document = ThreeKeys();
  const Json start = document.Record();
  const CurvePreset* preset = FindCurvePreset(GetParam().name);
  ASSERT_NE(preset, nullptr);
  ASSERT_TRUE(document.Apply(ApplyPreset(Visible, *preset, 0.2f, 0.6f, 0)).accepted);
  const std::vector<TrackKey> keys = KeysOf(document, Visible);
  ASSERT_EQ(keys.size(), GetParam().values.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_FLOAT_EQ(keys[i].time, keys.size() > 1 ? float(i) / float(keys.size() - 1) : 0);
    EXPECT_NEAR(keys[i].value, GetParam().values[i], 1e-6f) << i;
  }
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Record(), start);
}

INSTANTIATE_TEST_SUITE_P(Shapes, PresetTest,
                         testing::Values(Preset{"constant", {0.6f}},
                                         Preset{"linear-up", {0.2f, 0.6f}},
                                         Preset{"linear-down", {0.6f, 0.2f}},
                                         Preset{"ease-in",
                                                {0.2f, 0.20625f, 0.225f, 0.25625f, 0.3f, 0.35625f,
                                                 0.425f, 0.50625f, 0.6f}},
                                         Preset{"ease-out",
                                                {0.2f, 0.29375f, 0.375f, 0.44375f, 0.5f, 0.54375f,
                                                 0.575f, 0.59375f, 0.6f}},
                                         Preset{"pulse", {0.2f, 0.6f, 0.6f, 0.2f}}));

TEST(PresetTest, StaysInsideTheRangeAndSpansTheEffectForEffectTimeTracks) {
  EffectDocument document(NewEffect());
  const CurvePreset& up = *FindCurvePreset("LINEAR-UP");
  EXPECT_FALSE(document.Apply(ApplyPreset(Visible, up, 0, 1.5f, 0)).accepted);
  const TrackRef quantity{0, "BaseQuantity"};
  ASSERT_TRUE(
      document.Apply(ApplyPreset(quantity, up, 0, 50, PresetSpan(document.Record(), quantity)))
          .accepted);
  EXPECT_EQ(KeysOf(document, quantity).back().time, 2.0f);  // the template plays 2 seconds
}

TEST(CurveGridTest, SnapsToTheNearestStepAndLeavesFreeAxesAlone) {
  ExpectKeys(
      std::vector<TrackKey>({Snapped({0.38f, -0.13f}, {0.25f, 0.25f}),
                             Snapped({0.38f, 7.3f}, {0, 2}), Snapped({0.38f, 7.3f}, {NAN, -1})}),
      std::vector<TrackKey>{{0.5f, -0.25f}, {0.38f, 8}, {0.38f, 7.3f}});
}

// Nine steps of 0.1 are 0.9, where the floats' own product is 0.90000004.
TEST(CurveGridTest, TheStepsAreCountedInTheStepsWrittenValue) {
  EXPECT_EQ(SnapToStep(0.91f, 0.1f), 0.9f);
  EXPECT_EQ(SnapToStep(1.29f, 0.1f), 1.3f);
}

TEST(CurveViewTest, OpensOnTheKeysOwnTimesAndZoomsInsideTheDomain) {
  TrackBody scale = TrackBody::Defaults(*FindTrackInfo(TrackOwner::Effect, "ScaleLife"));
  ASSERT_EQ(scale.duration, 1000.0f);
  EXPECT_EQ(OpeningSpan(scale, 0.11f).end, 0.11f) << "an effect of 0.11 s";
  EXPECT_EQ(OpeningSpan(scale, 0).end, 1000.0f) << "one key at 0, no effect time: the domain";
  scale.keys.push_back({3, 2});
  EXPECT_EQ(OpeningSpan(scale, 2).end, 3.0f) << "a key after the effect's end";
  const TimeSpan in = ZoomSpan({0, 4}, 3, 0.5f, 1000);
  EXPECT_EQ(in.start, 1.5f);
  EXPECT_EQ(in.end, 3.5f);
  const TimeSpan atEnd = ZoomSpan({990, 1000}, 1000, 2, 1000);
  EXPECT_EQ(atEnd.start, 980.0f);
  EXPECT_EQ(atEnd.end, 1000.0f);
  const TimeSpan out = ZoomSpan({1, 2}, 1.5f, 1e6f, 1000);
  EXPECT_EQ(out.start, 0.0f);
  EXPECT_EQ(out.end, 1000.0f);
}

}  // namespace
}  // namespace tavrix::edit
