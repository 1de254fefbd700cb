// The editor's parts that hold state apart from ImGui: the recent-files list
// (newest first, no repeats, bounded, kept across runs) and the script
// reader, whose mistakes (unknown track names among them) are named by line
// rather than run half-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "editor/EditorScript.h"
#include "editor/RecentFiles.h"
#include "support/TempDir.h"

namespace tavrix::viewer::editor {
namespace {

TEST(RecentFiles, NewestFirstWithoutRepeatsBoundedAndKeptAcrossRuns) {
  test::TempDir folder;
  const std::string list = folder.File("config/tavrix/recent");
  {
    RecentFiles recent(list);
    EXPECT_TRUE(recent.Paths().empty());
    for (int i = 0; i < int(RecentFiles::MaximumEntries) + 3; ++i)
      ASSERT_TRUE(recent.Add("/e/" + std::to_string(i)));
    ASSERT_TRUE(recent.Add("/e/5"));
  }
  const RecentFiles again(list);
  ASSERT_EQ(again.Paths().size(), RecentFiles::MaximumEntries);
  EXPECT_EQ(again.Paths()[0], "/e/5");
  EXPECT_EQ(again.Paths()[1], "/e/12");
  EXPECT_EQ(std::count(again.Paths().begin(), again.Paths().end(), "/e/5"), 1);
  EXPECT_EQ(again.Paths().back(), "/e/3") << "the oldest go first";
}

TEST(RecentFiles, AListThatCannotBeWrittenStillListsInMemory) {
  test::TempDir folder;
  std::ofstream(folder.File("file")) << "x";
  RecentFiles recent(folder.File("file/recent"));
  EXPECT_FALSE(recent.Add("/e/a"));
  EXPECT_EQ(recent.Paths(), std::vector<std::string>{"/e/a"});
}

TEST(EditorScript, ReadsEachCommandWithItsArgumentsAndSkipsComments) {
  const std::vector<ScriptCommand> commands = ParseEditorScript(
      "# fade\ntrack -1 ScaleVisible\n\ndrag 1 LifeVisible 2 0.5 0.25  # half\nrelease\nsave "
      "a.eff\n");
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].track.emitter, -1);
  EXPECT_EQ(commands[0].track.key, "ScaleVisible");
  EXPECT_EQ(commands[1].verb, "drag");
  EXPECT_EQ(commands[1].track.emitter, 1);
  EXPECT_EQ(commands[1].index, 2);
  EXPECT_FLOAT_EQ(commands[1].time, 0.5f);
  EXPECT_FLOAT_EQ(commands[1].value, 0.25f);
  EXPECT_EQ(commands[2].verb, "release");
  EXPECT_EQ(commands[3].path, "a.eff");
}

TEST(EditorScript, MistakesAreNamedByLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"undo\nfly away\n", "script line 2: unknown command \"fly\""},
      {"drag 0 LifeVisible 1 0.5\n", "script line 1: drag takes 5 words"},
      {"drag 0 LifeVisible one 0.5 0\n", "script line 1: a number is expected"},
      {"save a b.eff\n", "script line 1: save takes 1 words"},
      {"track -2 BaseX\n", "script line 1: an emitter is -1 (the effect) or its place in the list"},
      {"preset wobble 0 1\n",
       "script line 1: no preset \"wobble\"; there are constant, linear-up, linear-down, ease-in, "
       "ease-out, pulse"},
      {"select-keys 1,-2\n", "script line 1: select-keys takes key indices such as 0,2,3"},
      {"track -1 BaseX\n",
       "script line 1: \"BaseX\" is not an effect track (did you mean \"ScaleX\"?)"},
  };
  for (const auto& c : cases) {
    try {
      ParseEditorScript(c.text);
      ADD_FAILURE() << c.text;
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.message, c.message);
    }
  }
}

}  // namespace
}  // namespace tavrix::viewer::editor
