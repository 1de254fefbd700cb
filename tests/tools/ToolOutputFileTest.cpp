// The tavrix program's outputs are never seen broken: each file appears
// whole or not at all, whether the run is interrupted, fails or races
// another run writing the same file, with the mode a plain file would get.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "TestPaths.h"
#include "support/TempDir.h"
#include "tools/ToolRunner.h"

namespace tavrix::test {
namespace {

namespace fs = std::filesystem;

constexpr int WriteFailed = 6;

std::string Fire() { return std::string(TAVRIX_SAMPLES_BUILT) + "/fire.eff"; }

std::set<std::string> Names(const TempDir& dir) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir.Path()))
    names.insert(entry.path().filename().string());
  return names;
}

bool ExitedWell(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

// timeout(1) signals the process and then its group: a second signal may
// arrive while the first is being delivered. That race left files in about
// one run in twenty, so the three signals are sent side by side, each 30
// times at moments a few frames apart (90 runs): a fault of one run in
// twenty passes them all once in a hundred times.
TEST(InterruptedRenderTest, LeavesTheOldGifAndNoTemporaryFile) {
  constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};
  constexpr int Rounds = 30;
  for (int round = 0; round < Rounds; ++round) {
    TempDir dirs[std::size(Signals)];
    int pids[std::size(Signals)], status[std::size(Signals)] = {};
    bool ended[std::size(Signals)] = {};
    for (size_t i = 0; i < std::size(Signals); ++i) {
      dirs[i].Write("out.gif", "old");
      pids[i] = StartTool({"render", Fire(), "--frames", "100000", "--fps", "1000", "--size",
                           "64x64", "-o", dirs[i].File("f.png"), "--gif", dirs[i].File("out.gif")});
      ASSERT_GT(pids[i], 0);
    }
    // Stopped while the GIF and a frame are being written, a frame later
    // each round.
    const size_t names = 2 + round % 6;
    for (int poll = 0; poll < 2000 && std::count(ended, std::end(ended), false); ++poll) {
      for (size_t i = 0; i < std::size(Signals); ++i) {
        if (ended[i]) continue;
        // One that ended by itself fails below.
        ended[i] = waitpid(pids[i], &status[i], WNOHANG) == pids[i];
        if (ended[i] || Names(dirs[i]).size() < names) continue;
        kill(pids[i], Signals[i]);
        kill(pids[i], Signals[i]);
        ended[i] = waitpid(pids[i], &status[i], 0) == pids[i];
      }
      usleep(1000);
    }
    for (size_t i = 0; i < std::size(Signals); ++i) {
      // One that never got going is ended too, and fails.
      if (!ended[i] && kill(pids[i], SIGKILL) == 0) waitpid(pids[i], &status[i], 0);
      SCOPED_TRACE("signal " + std::to_string(Signals[i]) + ", round " + std::to_string(round));
      EXPECT_TRUE(WIFSIGNALED(status[i]) && WTERMSIG(status[i]) == Signals[i]) << status[i];
      EXPECT_EQ(ReadFileBytes(dirs[i].File("out.gif")), "old");
      // Besides the old GIF, only whole frames: f_0000.png and on.
      for (const std::string& name : Names(dirs[i]))
        EXPECT_TRUE(name == "out.gif" || (name.rfind("f_", 0) == 0 && name.size() == 10)) << name;
    }
  }
}

class MissingFolderTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingFolderTest, RenderFailsBeforeWritingAnything) {
  TempDir dir;
  std::vector<std::string> arguments = {"render",
                                        Fire(),
                                        "--frames",
                                        "3",
                                        "--sheet",
                                        "2x2",
                                        "-o",
                                        dir.File("f.png"),
                                        "--gif",
                                        dir.File("f.gif"),
                                        "--sheet-output",
                                        dir.File("s.png")};
  const std::string missing = dir.File("missing/out");
  *(std::find(arguments.begin(), arguments.end(), GetParam()) + 1) = missing;
  const ToolRun run = RunTool(arguments);
  EXPECT_EQ(run.exitCode, WriteFailed) << run.output;
  EXPECT_NE(run.output.find(missing), std::string::npos) << run.output;
  EXPECT_TRUE(Names(dir).empty()) << run.output;
}

INSTANTIATE_TEST_SUITE_P(Outputs, MissingFolderTest,
                         ::testing::Values("-o", "--gif", "--sheet-output"));

TEST(ConcurrentPackTest, OneFilePackedTwentyTimesAtOnceIsOnlyEverSeenWhole) {
  TempDir dir;
  const std::string json = dir.File("fire.json"), single = dir.File("single.eff");
  const std::string shared = dir.File("shared.eff");
  ASSERT_EQ(RunTool({"dump", Fire(), "-o", json}).exitCode, 0);
  ASSERT_EQ(RunTool({"pack", json, "-o", single}).exitCode, 0);
  const std::string whole = ReadFileBytes(single);
  std::vector<int> running;
  for (int i = 0; i < 20; ++i) running.push_back(StartTool({"pack", json, "-o", shared}));
  while (!running.empty()) {
    std::ifstream seen(shared, std::ios::binary);
    if (seen) {
      EXPECT_EQ(std::string(std::istreambuf_iterator<char>(seen), {}), whole);
    }
    int status = 0;
    const int pid = waitpid(-1, &status, WNOHANG);
    if (pid <= 0) continue;
    EXPECT_TRUE(ExitedWell(status)) << status;
    running.erase(std::remove(running.begin(), running.end(), pid), running.end());
  }
  EXPECT_EQ(ReadFileBytes(shared), whole);
  EXPECT_EQ(Names(dir), (std::set<std::string>{"fire.json", "single.eff", "shared.eff"}));
}

class OutputModeTest : public ::testing::TestWithParam<mode_t> {};

TEST_P(OutputModeTest, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
  TempDir dir;
  const std::string json = dir.Write("kept.json", "");
  fs::permissions(json, fs::perms(0604));
  const mode_t previous = umask(GetParam());
  for (const std::vector<std::string>& run : std::vector<std::vector<std::string>>{
           {"dump", Fire(), "-o", json},
           {"pack", json, "-o", dir.File("fire.eff")},
           {"reference", "-o", dir.File("reference.md")},
           {"render", Fire(), "--frames", "2", "-o", dir.File("f.png"), "--gif", dir.File("f.gif"),
            "--sheet", "2x1"}})
    EXPECT_EQ(RunTool(run).exitCode, 0) << run[0];
  umask(previous);
  EXPECT_EQ(Names(dir).size(), 7u);
  for (const std::string& name : Names(dir))
    EXPECT_EQ(fs::status(dir.File(name)).permissions(),
              fs::perms(name == "kept.json" ? 0604 : 0666 & ~GetParam()))
        << name;
}

INSTANTIATE_TEST_SUITE_P(Umasks, OutputModeTest, ::testing::Values(022, 077));

// A device or a pipe (/dev/null, /dev/stdout) is written to, never replaced.
TEST(OutputInPlaceTest, APipeGetsTheOutputAndStaysAPipe) {
  TempDir dir;
  const std::string pipe = dir.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(RunTool({"dump", Fire(), "-o", pipe}).exitCode, 0);
  std::string received(65536, '\0');
  received.resize(size_t(std::max<ssize_t>(0, read(reader, received.data(), received.size()))));
  close(reader);
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(received, RunTool({"dump", Fire()}).output);
}

}  // namespace
}  // namespace tavrix::test
