// Saving the first effect: what is written, that a save read back saves to
// the same bytes, and that a save that cannot be completed reports it and
// leaves the previous file as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
#include <string>

#include "effectfile/Effect.h"
#include "support/EffectEnvironment.h"
#include "support/EffectFileBuilder.h"
#include "support/EffectWorkloads.h"
#include "tavrix/ResultCode.h"

namespace tavrix {
namespace {

using test::Bytes;

class EffectSaveTest : public ::testing::Test {
 protected:
  EffectRegistry& registry() { return environment.Registry(); }

  int32_t LoadTypical() {
    std::string path = test::WriteEffect(scratch, "typical.eff", test::TypicalEffectRecord());
    return registry().LoadEffect(path.c_str());
  }

  // A previous save the failing saves must not touch.
  std::string PreviousFile(const Bytes& content) {
    std::string path = scratch.File("previous.eff");
    test::WriteFileBytes(path, content);
    return path;
  }

  bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
  }

  test::TempDir scratch;
  test::EffectEnvironment environment{true};
};

TEST_F(EffectSaveTest, ASavedEffectReadBackSavesTheSameRecord) {
  ASSERT_EQ(LoadTypical(), 0);
  std::string first = scratch.File("first.eff");
  std::string second = scratch.File("second.eff");
  ASSERT_EQ(registry().SaveFirstEffect(first.c_str()), Success);
  // Frame sets are shared by name and gather the frames of every load, so
  // the first copy goes before the saved one is read back.
  registry().UnloadEffect(0);
  ASSERT_EQ(registry().LoadEffect(first.c_str()), 1);
  ASSERT_EQ(registry().SaveFirstEffect(second.c_str()), Success);

  Bytes plainFirst = test::Decipher(test::ReadBytes(first));
  Bytes plainSecond = test::Decipher(test::ReadBytes(second));
  ASSERT_FALSE(plainFirst.empty());
  EXPECT_EQ(plainFirst, plainSecond);
  EXPECT_FALSE(Exists(first + ".tmp"));
}

TEST_F(EffectSaveTest, ARecordBeginsWithItsHeaderAndAllEighteenTracks) {
  ASSERT_EQ(
      registry().LoadEffect(
          test::WriteEffect(scratch, "empty.eff", test::EffectRecord(test::EffectOf({}))).c_str()),
      0);
  std::string path = scratch.File("out.eff");
  ASSERT_EQ(registry().SaveFirstEffect(path.c_str()), Success);
  Bytes plain = test::Decipher(test::ReadBytes(path));
  const uint8_t head[] = {'T', 'V', 'P', 'S', 1,   0,   0,   0,   18,  0,   0,
                          0,   9,   'S', 'c', 'a', 'l', 'e', 'L', 'i', 'f', 'e'};
  ASSERT_GE(plain.size(), sizeof head);
  EXPECT_EQ(std::memcmp(plain.data(), head, sizeof head), 0);
  // The emitter count of an effect without emitters, then placement and
  // state: 4 + 16 + 14 bytes at the end.
  ASSERT_GE(plain.size(), 34u);
  const uint8_t* tail = plain.data() + plain.size() - 34;
  EXPECT_EQ(tail[0] | tail[1] | tail[2] | tail[3], 0);
  float frameWidth;
  std::memcpy(&frameWidth, tail + 12, 4);
  EXPECT_FLOAT_EQ(frameWidth, 100.0f);
}

TEST_F(EffectSaveTest, SaveWritesTheEffectWithTheLowestIdentifier) {
  EXPECT_EQ(registry().SaveFirstEffect(scratch.File("none.eff").c_str()), SaveNoEffect);
  std::string path =
      test::WriteEffect(scratch, "plain.eff", test::EffectRecord(test::EffectOf({})));
  for (int32_t id = 0; id < 6; ++id) {
    ASSERT_EQ(registry().LoadEffect(path.c_str()), id);
    registry().SetEffectPosition(id, static_cast<float>(id), 0.0f, false);
  }
  for (int32_t id : {0, 1, 2, 4}) registry().UnloadEffect(id);
  std::string saved = scratch.File("saved.eff");
  ASSERT_EQ(registry().SaveFirstEffect(saved.c_str()), Success);
  ASSERT_EQ(registry().LoadEffect(saved.c_str()), 6);
  EXPECT_FLOAT_EQ(registry().Find(6)->record.positionX, 3.0f);
}

TEST_F(EffectSaveTest, ADestinationThatCannotBeWrittenIsReportedAndLeftAlone) {
  ASSERT_EQ(LoadTypical(), 0);
  const Bytes old = {1, 2, 3, 4, 5};
  std::string previous = PreviousFile(old);
  // Something else already holds the temporary file's name.
  ASSERT_EQ(::mkdir((previous + ".tmp").c_str(), 0700), 0);
  EXPECT_EQ(registry().SaveFirstEffect(previous.c_str()), SaveFileOpenFailed);
  EXPECT_EQ(test::ReadBytes(previous), old);
  ::rmdir((previous + ".tmp").c_str());

  EXPECT_EQ(registry().SaveFirstEffect(scratch.File("no/such/dir.eff").c_str()),
            SaveFileOpenFailed);
}

TEST_F(EffectSaveTest, AWriteThatFailsPartWayLeavesThePreviousFile) {
  ASSERT_EQ(LoadTypical(), 0);
  const Bytes old(300, 7);
  std::string previous = PreviousFile(old);
  // Files may grow to 64 bytes only: the write of the record fails.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  int32_t result = registry().SaveFirstEffect(previous.c_str());
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result, SaveFileOpenFailed);
  EXPECT_EQ(test::ReadBytes(previous), old);
  EXPECT_FALSE(Exists(previous + ".tmp"));
}

TEST_F(EffectSaveTest, NoMemoryForTheEncipheredBytesLeavesThePreviousFile) {
  ASSERT_EQ(
      registry().LoadEffect(
          test::WriteEffect(scratch, "empty.eff", test::EffectRecord(test::EffectOf({}))).c_str()),
      0);
  const Bytes old = {9, 9, 9};
  std::string previous = PreviousFile(old);
  environment.Allocator().failAfter = environment.Allocator().allocations + 1;
  int32_t result = registry().SaveFirstEffect(previous.c_str());
  environment.Allocator().failAfter = 0;
  EXPECT_EQ(result, SaveFileOpenFailed);
  EXPECT_EQ(test::ReadBytes(previous), old);
}

}  // namespace
}  // namespace tavrix
