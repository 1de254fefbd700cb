// One editing session from start to end: the fire sample opened, a script
// of the edits a panel makes applied through the same edits, saved, and the
// saved file loaded and drawn by the library: the edits show in the pixels.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "edit/DocumentFiles.h"
#include "edit/EffectPreview.h"
#include "edit/EmitterEdits.h"
#include "edit/FieldEdits.h"
#include "edit/LibraryHost.h"
#include "edit/TrackBody.h"
#include "edit/TrackEdits.h"
#include "support/TempDir.h"

namespace tavrix::edit {
namespace {

constexpr uint32_t Red = 0x00FF0000u, GreenAndBlue = 0x0000FFFFu;

// Every key of a track of every emitter set to value.
void Flatten(EffectDocument& document, const std::string& key, float value) {
  for (int e = 0; e < int(document.Record()["emitters"].size()); ++e) {
    const TrackBody body = TrackState(document.Record(), {e, key});
    for (int k = 0; k < int(body.keys.size()); ++k)
      ASSERT_TRUE(document.Apply(MoveKey({e, key}, k, body.keys[k].time, value)).accepted);
    document.CloseStep();
  }
}

std::vector<uint32_t> PlayFile(const std::string& path) {
  test::LibraryHost host(TAVRIX_SAMPLES_BUILT);
  const int32_t id = host.System().LoadEffect(path.c_str());
  EXPECT_GE(id, 0) << path;
  host.System().SetEffectPosition(id, 128, 160, true);
  host.System().PlayEffect(id, 0);
  return host.Render(1500);
}

TEST(ScriptedEditRunTest, FireTurnedPureRedSavesLoadsAndDrawsRed) {
  EffectDocument document(OpenRecord(std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json"));
  const Json original = document.Record();
  Flatten(document, "LifeGreen", 0);
  Flatten(document, "LifeBlue", 0);
  ASSERT_TRUE(document.Apply(DuplicateEmitter(1)).accepted);
  ASSERT_TRUE(document.Apply(SetField(2, "positionX", -40)).accepted);
  ASSERT_TRUE(document.Apply(SetField(-1, "endMode", 1)).accepted);
  ASSERT_TRUE(document.Apply(SetField(-1, "durationSeconds", 3)).accepted);
  ASSERT_FALSE(document.Apply(SetField(-1, "endMode", 9)).accepted);
  ASSERT_TRUE(document.Undo());
  ASSERT_TRUE(document.Redo());
  EXPECT_TRUE(document.Modified());

  test::TempDir dir;
  const std::string saved = dir.File("red_fire.eff");
  SaveRecord(document.Record(), saved);
  const std::vector<uint32_t> before = PlayFile(std::string(TAVRIX_SAMPLES_BUILT) + "/fire.eff");
  const std::vector<uint32_t> after = PlayFile(saved);
  EXPECT_GT(test::CountPixels(before, GreenAndBlue), 100) << "the fire itself has yellow in it";
  EXPECT_GT(test::CountPixels(after, Red), 100) << "the edited fire still burns";
  EXPECT_EQ(test::CountPixels(after, GreenAndBlue), 0) << "and holds no green or blue";
  const Json reopened = OpenRecord(saved);
  EXPECT_EQ(reopened["emitters"].size(), 3u);
  EXPECT_EQ(reopened["durationSeconds"], 3);
  EXPECT_NE(record::RecordFromJson(reopened), record::RecordFromJson(original));
}

TEST(ScriptedEditRunTest, AFadedOutFireDrawsNothingAndUndoBringsItBack) {
  test::TempDir dir;
  test::LibraryHost host(TAVRIX_SAMPLES_BUILT);
  EffectPreview preview(host.System());
  EffectDocument document(OpenRecord(std::string(TAVRIX_SAMPLES_SOURCE) + "/fire.json"));
  Flatten(document, "LifeVisible", 0);
  ASSERT_EQ(preview.Show(document.Record(), 1000, 128, 160), "");
  EXPECT_EQ(test::CountPixels(host.Render(20), 0x00FFFFFFu), 0);
  while (document.CanUndo()) document.Undo();
  ASSERT_EQ(preview.Show(document.Record(), 1000, 128, 160), "");
  EXPECT_GT(test::CountPixels(host.Render(20), 0x00FFFFFFu), 100);
}

}  // namespace
}  // namespace tavrix::edit
