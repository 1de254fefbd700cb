// The editing model on its own: every kind of edit, what it refuses and
// why, and undo and redo.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "edit/EffectTemplate.h"
#include "edit/EmitterEdits.h"
#include "edit/FieldEdits.h"
#include "edit/FrameEdits.h"
#include "edit/TrackEdits.h"

namespace tavrix::edit {
namespace {

// The template's particle emitter, then a sub-effect emitter.
EffectDocument TwoEmitters() {
  EffectDocument document(NewEffect());
  EXPECT_TRUE(document.Apply(AddEmitter(EmitterKind::SubEffect)).accepted);
  return document;
}

void ExpectRefused(EffectDocument& document, const Edit& edit, const std::string& reason) {
  const Json before = document.Record();
  const uint64_t revision = document.Revision();
  const EditResult result = document.Apply(edit);
  EXPECT_FALSE(result.accepted) << edit.label;
  EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
  EXPECT_EQ(document.Record(), before) << edit.label;
  EXPECT_EQ(document.Revision(), revision);
}

TEST(FieldEditTest, ValuesTheLibraryRefusesOrMisreadsAreRefusedWithTheirReason) {
  EffectDocument document = TwoEmitters();
  ExpectRefused(document, SetField(-1, "endMode", 4), "choice from 0 to 3");
  ExpectRefused(document, SetField(-1, "durationSeconds", 0), "from 0.001");
  ExpectRefused(document, SetField(-1, "running", 1), "not a field of the effect");
  ExpectRefused(document, SetField(0, "spawnShape", -1), "choice from 0 to 3");
  ExpectRefused(document, SetField(0, "rotationMode", 3), "choice from 0 to 2");
  ExpectRefused(document, SetField(0, "enabled", 2), "true or false");
  ExpectRefused(document, SetField(0, "name", ""), "must not be empty");
  ExpectRefused(document, SetField(0, "positionX", "left"), "takes a number");
  ExpectRefused(document, SetField(0, "frameIndex", 1), "past its list of 1 frames");
  ExpectRefused(document, SetField(0, "cycleLength", 2), "belongs to an animated emitter");
  ExpectRefused(document, SetField(1, "copiesMax", 300), "from 0 to 256");
  ExpectRefused(document, SetField(1, "copiesMin", 1.5), "whole number");
  ExpectRefused(document, SetField(1, "copiesMin", 5), "must not exceed copiesMax");
  ExpectRefused(document, SetField(2, "enabled", true),
                "there is no emitter 2: the emitter is given by its index, 0 to 1");
  EXPECT_FALSE(document.CanRedo());
}

TEST(FieldEditTest, AcceptedValuesAreStoredWithWhatTheLibraryDerivesFromThem) {
  EffectDocument document = TwoEmitters();
  ASSERT_TRUE(document.Apply(SetField(-1, "endMode", 2)).accepted);
  ASSERT_TRUE(document.Apply(SetField(0, "enabled", false)).accepted);
  ASSERT_TRUE(document.Apply(SetField(0, "forceAngle", 90)).accepted);
  ASSERT_TRUE(document.Apply(SetField(0, "pivotX", 0.0)).accepted);
  ASSERT_TRUE(document.Apply(SetField(1, "copiesMax", 4)).accepted);
  const Json& record = document.Record();
  EXPECT_EQ(record["endMode"], 2);
  const Json& emitter = record["emitters"][0];
  EXPECT_EQ(emitter["enabled"], 0);
  EXPECT_FLOAT_EQ(emitter["forceDirectionX"].get<float>(), 1.0f);
  EXPECT_NEAR(emitter["forceDirectionY"].get<float>(), 0.0f, 1e-7);
  EXPECT_EQ(emitter["corners"], Json::parse("[[0,-0.5],[1,-0.5],[1,0.5],[0,0.5]]"));
  EXPECT_EQ(record["emitters"][1]["copiesMax"], 4);
}

TEST(FieldEditTest, APanelSeesTheFieldsOfTheEmitterAndItsFrameBlock) {
  EffectDocument document(NewEffect());
  ASSERT_TRUE(document.Apply(SetField(0, "spawnShape", 3)).accepted);
  auto names = [&] {
    std::map<std::string, Json> fields;
    for (const FieldView& view : EditableFields(document.Record(), 0))
      fields[view.info->name] = view.value;
    return fields;
  };
  EXPECT_EQ(names()["spawnShape"], 3);
  EXPECT_EQ(names().count("frameIndex"), 1u);
  EXPECT_EQ(names().count("emissionBacklog"), 0u);
  ASSERT_TRUE(document.Apply(SetAnimated(0, true)).accepted);
  EXPECT_EQ(names().count("frameIndex"), 0u);
  EXPECT_EQ(names()["loop"], 1);
}

TEST(FieldEditTest, AnimationKeepsTextureAndFramesAndSwitchesTheBlock) {
  EffectDocument document(NewEffect());
  ASSERT_TRUE(document.Apply(GridFrames(0, 2, 2)).accepted);
  ASSERT_TRUE(document.Apply(SetAnimated(0, true)).accepted);
  const Json& emitter = document.Record()["emitters"][0];
  EXPECT_FALSE(emitter.contains("frameSet"));
  EXPECT_EQ(emitter["frameAnimation"]["frames"].size(), 4u);
  EXPECT_EQ(emitter["frameAnimation"]["textureName"], TemplateTexture);
  EXPECT_TRUE(document.Apply(SetField(0, "cycleLength", 0.5)).accepted);
}

TEST(TrackEditTest, ATrackTheRecordLacksStartsFromTheLibraryDefaults) {
  EffectDocument document(NewEffect());
  const TrackRef red{0, "LifeRed"};
  ASSERT_TRUE(document.Apply(AddKey(red, 0.5f, 0.2f)).accepted);
  ASSERT_TRUE(document.Apply(AddKey(red, 0.25f, 0.6f)).accepted);
  ASSERT_TRUE(document.Apply(AddKey(red, 0.5f, 0.3f)).accepted);  // same time: replaces
  const TrackBody body = TrackState(document.Record(), red);
  ASSERT_EQ(body.keys.size(), 3u);
  EXPECT_EQ(body.keys[0].value, 1.0f);
  EXPECT_EQ(body.keys[1].time, 0.25f);
  EXPECT_EQ(body.keys[2].value, 0.3f);
  EXPECT_EQ(body.maximum, 1.0f);
  // Drawn over the whole domain as the library evaluates it.
  EXPECT_EQ(body.Curve(0, body.duration, 5), (std::vector<float>{1.0f, 0.6f, 0.3f, 0.3f, 0.3f}));
  // Stored in the library's order: after BaseX, before LifeVisible.
  const Json& tracks = document.Record()["emitters"][0]["tracks"];
  ASSERT_EQ(tracks.size(), 3u);
  EXPECT_EQ(tracks[1]["name"], "LifeRed");
}

TEST(TrackEditTest, ResetGivesBackTheLibrarysTrackAndRefusesTracksThatDoNotExist) {
  EffectDocument document = TwoEmitters();
  const TrackRef size{-1, "SIZEEFFECT"};  // letter case ignored, as the library does
  ASSERT_TRUE(document.Apply(SetTrackShape(size, {2, 10, -5, 5, 1})).accepted);
  ASSERT_TRUE(document.Apply(ResetTrack(size)).accepted);
  const TrackBody body = TrackState(document.Record(), size);
  const TrackInfo& info = *FindTrackInfo(TrackOwner::Effect, "sizeEffect");
  EXPECT_EQ(body.cycles, 1.0f);
  EXPECT_EQ(body.duration, info.domain);
  EXPECT_EQ(body.minimum, info.minimum);
  EXPECT_EQ(body.maximum, info.maximum);
  ASSERT_EQ(document.Record()["tracks"].size(), 1u);
  EXPECT_EQ(document.Record()["tracks"][0]["name"], "sizeEffect");
  ExpectRefused(document, ResetTrack({-1, "BaseLife"}), "no track \"BaseLife\" in an effect");
  ExpectRefused(document, ResetTrack({1, "BaseLife"}), "sub-effect emitter has no tracks");
}

TEST(TrackEditTest, EveryBaseTrackHasItsSpreadOverTheSameTime) {
  for (TrackOwner owner : {TrackOwner::Effect, TrackOwner::Emitter})
    for (const TrackInfo& info : TracksOf(owner)) {
      const TrackInfo* spread = SpreadOf(info);
      EXPECT_EQ(spread != nullptr, std::string(info.key).rfind("Base", 0) == 0) << info.key;
      if (!spread) continue;
      EXPECT_EQ(spread->time, info.time) << info.key;
      EXPECT_EQ(spread->domain, info.domain) << info.key;
    }
}

TEST(TrackEditTest, KeysStayInsideTheirTrackAndInOrder) {
  EffectDocument document(NewEffect());
  const TrackRef visible{0, "LifeVisible"};  // keys (0, 1) and (1, 0)
  ExpectRefused(document, AddKey(visible, 1.5f, 0.5f), "from 0 to 1");
  ExpectRefused(document, AddKey(visible, 0.5f, 2.0f), "a value of LifeVisible");
  ExpectRefused(document, MoveKey(visible, 0, 0.1f, 1.0f), "stays at time 0");
  ExpectRefused(document, MoveKey(visible, 2, 0.5f, 1.0f), "has no key 2");
  ExpectRefused(document, RemoveKey(visible, 0), "cannot be removed");
  ASSERT_TRUE(document.Apply(AddKey(visible, 0.5f, 0.5f)).accepted);
  ExpectRefused(document, MoveKey(visible, 1, 1.0f, 0.5f), "share its time");
  // A drag past the neighbour stops just short of it, inside the range.
  const TrackBody body = TrackState(document.Record(), visible);
  const TrackKey nearest = NearestAllowedKey(body, 1, {2.0f, 5.0f});
  EXPECT_LT(nearest.time, 1.0f);
  EXPECT_EQ(nearest.value, 1.0f);
  EXPECT_TRUE(document.Apply(MoveKey(visible, 1, nearest.time, nearest.value)).accepted);
  EXPECT_EQ(NearestAllowedKey(body, 0, {0.3f, -1.0f}).time, 0.0f);
  ExpectRefused(document, SetTrackShape(visible, {1, 0.8f, 0, 1, 1}), "past the new domain");
  ExpectRefused(document, SetTrackShape(visible, {1, 1, 0, 0.7f, 0.5f}), "outside the new range");
  ExpectRefused(document, SetTrackShape(visible, {1, 1, 1, 1, 1}), "must lie below its maximum");
  ExpectRefused(document, AddKey({0, "Wobble"}, 0, 0), "no track \"Wobble\" in an emitter");
  ASSERT_TRUE(document.Apply(AddEmitter(EmitterKind::SubEffect)).accepted);
  ExpectRefused(document, AddKey({1, "LifeRed"}, 0, 0), "has no tracks");
}

TEST(TrackEditTest, AStoredTrackIsEditedAsTheLibraryReadsIt) {
  Json record = NewEffect();
  // Named twice (the later wins), keys out of order and one past the domain.
  record["tracks"] = Json::parse(R"([
    {"name": "gravity", "cycles": 1, "duration": 1, "boundA": 0, "boundB": 100, "default": 0,
     "keys": [{"time": 0, "value": 9}]},
    {"name": "GRAVITY", "cycles": 2, "duration": 1, "boundA": 100, "boundB": 0, "default": 500,
     "keys": [{"time": 0.5, "value": 3}, {"time": 4, "value": 8}, {"time": 0.25, "value": 2}]}])");
  EffectDocument document(record);
  ASSERT_TRUE(document.Apply(RemoveKey({-1, "gravity"}, 1)).accepted);
  const Json& tracks = document.Record()["tracks"];
  ASSERT_EQ(tracks.size(), 1u);
  EXPECT_EQ(tracks[0], Json::parse(R"({"name": "gravity", "cycles": 2, "duration": 1, "boundA": 0,
    "boundB": 100, "default": 0, "keys": [{"time": 0, "value": 0}, {"time": 0.5, "value": 3}]})"));
}

TEST(EmitterListTest, NewAndDuplicatedEmittersGetNamesAndFrameSetsOfTheirOwn) {
  EffectDocument document(NewEffect());
  ASSERT_TRUE(document.Apply(AddEmitter(EmitterKind::Particles)).accepted);
  ASSERT_TRUE(document.Apply(DuplicateEmitter(0)).accepted);
  const Json& emitters = document.Record()["emitters"];
  ASSERT_EQ(emitters.size(), 3u);
  EXPECT_EQ(emitters[1]["name"], "Emitter 1 copy");
  EXPECT_EQ(emitters[2]["name"], "Emitter 2");
  std::set<std::string> frameSets;
  for (const Json& emitter : emitters) frameSets.insert(emitter["frameSet"]["frameSetName"]);
  EXPECT_EQ(frameSets.size(), 3u);
  EXPECT_EQ(emitters[1]["tracks"], emitters[0]["tracks"]);
}

TEST(EmitterListTest, DeleteKeepsOneEmitterAndMoveReorders) {
  EffectDocument document = TwoEmitters();
  ASSERT_TRUE(document.Apply(MoveEmitter(1, 0)).accepted);
  EXPECT_EQ(document.Record()["emitters"][0]["magic"], "SE2D");
  ExpectRefused(document, MoveEmitter(0, 2), "there is no emitter 2");
  ASSERT_TRUE(document.Apply(DeleteEmitter(0)).accepted);
  ExpectRefused(document, DeleteEmitter(0), "at least one emitter");
}

TEST(FrameEditTest, AGridGivesItsCellsRowByRowAndTheFrameIndexFollows) {
  EffectDocument document(NewEffect());
  ASSERT_TRUE(document.Apply(GridFrames(0, 4, 2)).accepted);
  ASSERT_TRUE(document.Apply(SetField(0, "frameIndex", 7)).accepted);
  const Json* block = &document.Record()["emitters"][0]["frameSet"];
  ASSERT_EQ((*block)["frames"].size(), 8u);
  EXPECT_EQ((*block)["frames"][5], Json::parse("[0.25, 0.5, 0.5, 1]"));
  ASSERT_TRUE(document.Apply(GridFrames(0, 3, 3, 5)).accepted);
  block = &document.Record()["emitters"][0]["frameSet"];
  EXPECT_EQ((*block)["frames"].size(), 5u);
  EXPECT_EQ((*block)["frameIndex"], 4);
  ExpectRefused(document, GridFrames(0, 0, 2), "1 to 64 columns");
  ExpectRefused(document, GridFrames(0, 2, 2, 5), "cannot give 5 frames");
  ExpectRefused(document, SetFrames(0, {}), "at least one frame");
  ExpectRefused(document, SetFrames(0, {{0, 0, 1.5f, 1}}), "texture coordinates");
}

TEST(FrameEditTest, AFrameSetSharedByNameIsNotChangedFromOneEmitter) {
  Json record = NewEffect();
  record["emitters"].push_back(record["emitters"][0]);  // both name frame set "particle"
  EffectDocument document(record);
  ExpectRefused(document, GridFrames(1, 2, 2), "shared with emitter \"Emitter 1\"");
  ExpectRefused(document, SetTexture(1, "spark.png"), "shared with");
  ASSERT_TRUE(document.Apply(SetFrameSetName(1, "sparks")).accepted);
  ExpectRefused(document, SetFrameSetName(0, "SPARKS"), "already");
  EXPECT_TRUE(document.Apply(SetTexture(1, "spark.png")).accepted);
}

TEST(UndoRedoTest, EveryStepComesBackAndGoesAgain) {
  EffectDocument document(NewEffect());
  const std::vector<Edit> edits = {AddEmitter(EmitterKind::Particles),
                                   SetField(1, "additive", true),
                                   AddKey({1, "BaseLife"}, 2, 4),
                                   GridFrames(1, 2, 1),
                                   MoveEmitter(1, 0),
                                   SetTrackShape({-1, "ScaleX"}, {2, 10, 0, 5, 1}),
                                   DeleteEmitter(1)};
  std::vector<Json> states = {document.Record()};
  for (const Edit& edit : edits) {
    ASSERT_TRUE(document.Apply(edit).accepted) << edit.label;
    states.push_back(document.Record());
  }
  EXPECT_EQ(document.UndoLabel(), "Delete emitter");
  for (size_t i = states.size() - 1; i-- > 0;) {
    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Record(), states[i]) << "after undoing step " << i;
  }
  EXPECT_FALSE(document.Undo());
  EXPECT_FALSE(document.Modified());
  for (size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(document.Redo());
    EXPECT_EQ(document.Record(), states[i]) << "after redoing step " << i;
  }
  EXPECT_FALSE(document.Redo());
  document.MarkSaved();
  ASSERT_TRUE(document.Undo());
  EXPECT_TRUE(document.Modified());
  ASSERT_TRUE(document.Apply(SetField(-1, "endMode", 0)).accepted);
  EXPECT_FALSE(document.CanRedo());
}

TEST(UndoRedoTest, ADraggedKeyIsOneStepUntilTheStepCloses) {
  EffectDocument document(NewEffect());
  const TrackRef visible{0, "LifeVisible"};
  const Json start = document.Record();
  for (float value : {0.1f, 0.2f, 0.3f})
    ASSERT_TRUE(document.Apply(MoveKey(visible, 1, 1, value)).accepted);
  document.CloseStep();
  const Json dragged = document.Record();
  ASSERT_TRUE(document.Apply(MoveKey(visible, 1, 1, 0.4f)).accepted);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Record(), dragged);
  ASSERT_TRUE(document.Undo());
  EXPECT_EQ(document.Record(), start);
}

}  // namespace
}  // namespace tavrix::edit
