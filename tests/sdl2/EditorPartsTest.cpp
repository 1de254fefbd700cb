// The editor's parts that hold state apart from ImGui: the recent-files list
// (newest first, no repeats, bounded, kept across runs) and the script
// reader, whose mistakes (unknown track names among them) are named by line
// rather than run half-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "TestPaths.h"
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
      "a.eff\n",
      "/work");
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0].track.emitter, -1);
  EXPECT_EQ(commands[0].track.key, "ScaleVisible");
  EXPECT_EQ(commands[1].verb, "drag");
  EXPECT_EQ(commands[1].track.emitter, 1);
  EXPECT_EQ(commands[1].index, 2);
  EXPECT_FLOAT_EQ(commands[1].time, 0.5f);
  EXPECT_FLOAT_EQ(commands[1].value, 0.25f);
  EXPECT_EQ(commands[2].verb, "release");
  EXPECT_EQ(commands[3].path, "/work/a.eff") << "a path is taken from where the viewer started";
}

TEST(EditorScript, MistakesAreNamedByLineWithWhatIsExpected) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"undo\nfly away\n", "script line 2: unknown command \"fly\" (--help lists them)"},
      {"drag 0 LifeVisible 1 0.5\n",
       "script line 1: drag takes 5 words: drag EMITTER KEY INDEX TIME VALUE"},
      {"drag 0 LifeVisible one 0.5 0\n",
       "script line 1: drag EMITTER KEY INDEX TIME VALUE: INDEX is a key's index from 0, not "
       "\"one\""},
      {"save a b.eff\n", "script line 1: save takes 1 word: save PATH"},
      {"track -2 BaseX\n",
       "script line 1: track EMITTER KEY: EMITTER is -1 (the effect) or an emitter's index from "
       "0, not \"-2\""},
      {"preset wobble 0 1\n",
       "script line 1: preset NAME LOW HIGH: NAME is the name of a preset: constant, linear-up, "
       "linear-down, ease-in, ease-out, pulse, not \"wobble\""},
      {"select-keys 1,-2\n",
       "script line 1: select-keys I,J,...: I,J,... is a list of key indices such as 0,2,3, not "
       "\"1,-2\""},
      {"move-keys 0 nan\n",
       "script line 1: move-keys DT DV: DV is a number: how far the keys move in value, not "
       "\"nan\""},
      {"track -1 BaseX\n",
       "script line 1: \"BaseX\" is not an effect track (did you mean \"ScaleX\"?)"},
  };
  for (const auto& c : cases) {
    try {
      ParseEditorScript(c.text, "/");
      ADD_FAILURE() << c.text;
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.message, c.message);
    }
  }
}

// The README lists the commands as --help does, from the one table.
TEST(EditorScript, TheReadmeListsEveryCommandAndArgumentAsTheHelpDoes) {
  std::ifstream in(std::string(TAVRIX_SAMPLES_SOURCE) + "/../README.md");
  const std::string readme{std::istreambuf_iterator<char>(in), {}};
  std::istringstream help(ScriptHelp());
  int listed = 0;
  for (std::string line; std::getline(help, line);) {
    if (line.rfind("  ", 0) != 0) continue;
    ++listed;
    EXPECT_NE(readme.find("\n    " + line.substr(2) + "\n"), std::string::npos) << line;
  }
  EXPECT_GT(listed, 20);
}

}  // namespace
}  // namespace tavrix::viewer::editor
