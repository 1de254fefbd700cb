// Every kind of edit on every emitter of every sample: each is applied or
// refused with a reason, each applied version loads and plays through the
// library, and undoing everything gives the sample back.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestPaths.h"
#include "edit/DocumentFiles.h"
#include "edit/EffectPreview.h"
#include "edit/EmitterEdits.h"
#include "edit/FieldEdits.h"
#include "edit/FrameEdits.h"
#include "edit/LibraryHost.h"
#include "edit/TrackEdits.h"
#include "support/TempDir.h"

namespace tavrix::edit {
namespace {

std::vector<Edit> EditsOf(int e) {
  return {SetField(e, "enabled", false), SetField(e, "spawnShape", 3),
          SetField(e, "copiesMax", 3),   AddKey({e, "LifeVisible"}, 0.5f, 0.5f),
          GridFrames(e, 2, 2),           SetFrameSetName(e, "edited " + std::to_string(e)),
          SetAnimated(e, true),          SetTexture(e, "smoke.png"),
          DuplicateEmitter(e),           MoveEmitter(e, 0)};
}

TEST(SampleEditTest, EveryEditOfEverySampleLoadsOrIsRefusedWithAReason) {
  test::TempDir dir;
  test::LibraryHost host(TAVRIX_SAMPLES_BUILT);
  EffectPreview preview(host.System());
  for (const auto& entry : std::filesystem::directory_iterator(TAVRIX_SAMPLES_SOURCE)) {
    if (entry.path().extension() != ".json" || entry.path().stem().extension() == ".schema")
      continue;
    SCOPED_TRACE(entry.path().filename().string());
    EffectDocument document(OpenRecord(entry.path().string()));
    const Json original = document.Record();
    int accepted = 0;
    for (int e = 0; e < int(original["emitters"].size()); ++e) {
      for (const Edit& edit : EditsOf(e)) {
        if (!document.Apply(edit).accepted) continue;
        ++accepted;
        EXPECT_EQ(preview.Show(document.Record(), 500, 128, 128), "") << edit.label;
      }
    }
    EXPECT_GE(accepted, 4 * int(original["emitters"].size()));  // a sub-effect takes 4 of them
    while (document.CanUndo()) document.Undo();
    EXPECT_EQ(document.Record(), original);
  }
}

}  // namespace
}  // namespace tavrix::edit
