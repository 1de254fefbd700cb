// Saving and opening edited records, and the track table against the
// library itself: what the library writes for an effect that names no
// track is exactly the table's defaults, in the table's order.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "edit/DocumentFiles.h"
#include "edit/EffectPreview.h"
#include "edit/EffectTemplate.h"
#include "edit/FieldEdits.h"
#include "edit/KeySelection.h"
#include "edit/LibraryHost.h"
#include "edit/TrackBody.h"
#include "edit/TrackEdits.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::edit {
namespace {

using test::TempDir;

std::string Sample(const std::string& name) {
  return std::string(TAVRIX_SAMPLES_SOURCE) + "/" + name;
}

TEST(EditFileTest, AnEditedEffectSavesAsTheBytesThePackCommandWrites) {
  EffectDocument document(OpenRecord(Sample("fire.json")));
  ASSERT_TRUE(document.Apply(MoveKey({1, "LifeVisible"}, 0, 0, 0.5f)).accepted);
  ASSERT_TRUE(document.Apply(SetField(-1, "endMode", 1)).accepted);
  TempDir dir;
  const std::string json = dir.File("fire.json"), effect = dir.File("fire.eff"),
                    packed = dir.File("packed.eff");
  SaveRecord(document.Record(), json);
  SaveRecord(document.Record(), effect);
  SaveRecord(document.Record(), dir.File("again.eff"));  // an editor saves many times
  const test::ToolRun run = test::RunTool({"pack", json, "-o", packed});
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(test::ReadFileBytes(effect), test::ReadFileBytes(packed));
  EXPECT_EQ(test::ReadFileBytes(dir.File("again.eff")), test::ReadFileBytes(packed));
  EXPECT_EQ(record::RecordFromJson(OpenRecord(json)), record::RecordFromJson(document.Record()));
  EXPECT_EQ(record::RecordFromJson(OpenRecord(effect)), record::RecordFromJson(document.Record()));
}

TEST(EditFileTest, FilesThatHoldNoRecordAreRefusedWithTheirName) {
  TempDir dir;
  const std::string noise = dir.Write("noise.eff", std::string(40, 'x'));
  const std::string wrong = dir.Write("wrong.json", R"({"tag": "TVPS", "tracks": 1})");
  const std::string missing = dir.File("missing.eff");
  for (const auto& [path, reason] :
       {std::pair{noise, "not an effect file"}, std::pair{wrong, "tracks: expected an array"},
        std::pair{missing, "cannot be read"}}) {
    try {
      OpenRecord(path);
      ADD_FAILURE() << path << " opened";
    } catch (const FileError& e) {
      EXPECT_NE(e.message.find(path), std::string::npos) << e.message;
      EXPECT_NE(e.message.find(reason), std::string::npos) << e.message;
    }
  }
}

// A record that leaves out all it can opens with every field written out:
// fields, a track named without a body and a track left out all take edits,
// and the record's note stays.
TEST(EditFileTest, ASparseRecordTakesEditsOfWhatItLeftOut) {
  TempDir dir;
  const std::string path = dir.Write(
      "sparse.json", R"({"_note": "kept", "emitters": [{"tracks": [{"name": "LifeX"}]}]})");
  EffectDocument document(OpenRecord(path));
  EXPECT_EQ(document.Record()["_note"], "kept");
  for (const Edit& edit :
       {SetField(-1, "endMode", 2), SetField(0, "enabled", false), SetField(0, "pivotX", 0.25),
        AddKey({0, "LifeX"}, 0.5f, 0.5f), AddKey({0, "LifeVisible"}, 0.5f, 0.5f)}) {
    const EditResult result = document.Apply(edit);
    EXPECT_TRUE(result.accepted) << result.message;
  }
  EXPECT_EQ(document.Record()["emitters"][0]["pivotX"], 0.25);
  for (const char* key : {"LifeX", "LifeVisible"})
    EXPECT_EQ(TrackState(document.Record(), {0, key}).keys.size(), 2u) << key;
}

// Saved, a sparse record keeps what it wrote and what differs from the
// defaults, each number as the artist reckons it: a key at 1.2 moved by
// -0.8 is 0.4, not the floats' 0.40000004.
TEST(EditFileTest, ASparseRecordSavesAsBrieflyAsItWasWritten) {
  TempDir dir;
  const std::string path = dir.Write(
      "sparse.json",
      R"({"_note": "kept", "emitters": [{"name": "a", "enabled": 1, "tracks": [{"name": "LifeX", "keys": [{"time": 0, "value": 1.2}]}]}]})");
  Json written;
  EffectDocument document(OpenRecord(path, &written));
  for (const Edit& edit :
       {SetField(-1, "endMode", 2), SetField(0, "pivotX", 0.25),
        MoveKeys({0, "LifeX"}, {0}, 0, -0.8), AddKey({0, "LifeVisible"}, 0.5f, 0.5f)}) {
    const EditResult result = document.Apply(edit);
    EXPECT_TRUE(result.accepted) << result.message;
  }
  const std::string saved = dir.File("saved.json");
  const Json brief = SaveRecord(document.Record(), saved, written);
  EXPECT_EQ(record::RecordFromJson(brief), record::RecordFromJson(document.Record()));
  EXPECT_EQ(OpenRecord(saved), document.Record());
  const std::string text = test::ReadFileBytes(saved);
  EXPECT_NE(text.find(R"({"time": 0.0, "value": 0.4})"), std::string::npos) << text;
  // What was written, what changed, and the new track as the model lays it out.
  EXPECT_EQ(brief.size(), 3u) << text;
  EXPECT_EQ(brief["emitters"][0].size(), 4u) << text;
  EXPECT_EQ(brief["emitters"][0]["tracks"].size(), 2u) << text;
}

TEST(EditFileTest, TheTrackTableHoldsTheLibrarysDefaultsInItsOrder) {
  TempDir dir;
  test::LibraryHost host(TAVRIX_SAMPLES_BUILT);
  EffectPreview preview(host.System());
  ASSERT_EQ(preview.Show(NewEffect(), 0, 128, 128), "");
  ASSERT_EQ(host.System().SaveEffect(dir.File("written.eff").c_str()), 0);
  const Json written = OpenRecord(dir.File("written.eff"));
  auto expect = [](const Json& tracks, TrackOwner owner, const Json& template_) {
    const std::vector<TrackInfo>& infos = TracksOf(owner);
    ASSERT_EQ(tracks.size(), infos.size());
    for (size_t i = 0; i < infos.size(); ++i) {
      Json expected = TrackBody::Defaults(infos[i]).ToJson(infos[i].key);
      for (const Json& stored : template_)  // the template's own tracks
        if (stored["name"] == infos[i].key) expected = stored;
      EXPECT_EQ(tracks[i], expected) << infos[i].key;
    }
  };
  expect(written["tracks"], TrackOwner::Effect, NewEffect()["tracks"]);
  expect(written["emitters"][0]["tracks"], TrackOwner::Emitter,
         NewEffect()["emitters"][0]["tracks"]);
}

TEST(EditFileTest, ANewEffectPlaysAndEachVersionReplacesTheLast) {
  TempDir dir;
  test::LibraryHost host(TAVRIX_SAMPLES_BUILT);
  EffectPreview preview(host.System());
  EffectDocument document(NewEffect());
  ASSERT_EQ(preview.Show(document.Record(), 1000, 128, 128), "");
  EXPECT_GT(test::CountPixels(host.Render(20), 0x00FFFFFFu), 0);
  ASSERT_TRUE(document.Apply(SetField(0, "enabled", false)).accepted);
  ASSERT_EQ(preview.Show(document.Record(), 1000, 128, 128), "");
  EXPECT_EQ(host.System().GetEffectCount(), 1);
  EXPECT_EQ(test::CountPixels(host.Render(20), 0x00FFFFFFu), 0);
}

}  // namespace
}  // namespace tavrix::edit
