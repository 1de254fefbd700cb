// File access on every port: a resolved path that does not fit is refused,
// and a replacement moves over its destination.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/FileAccess.h"
#include "support/TempDir.h"

namespace tavrix {
namespace {

TEST(FileAccess, ResultThatDoesNotFitIsRefused) {
  test::TempDir dir;
  std::string path = dir.Write("a.txt", "");
  char small[8];
  EXPECT_FALSE(ResolvePath(path.c_str(), small, sizeof small, true));
  EXPECT_FALSE(ResolvePath("", small, sizeof small, false));
}

TEST(FileAccess, ReplaceFileMovesOverTheDestination) {
  test::TempDir dir;
  std::string from = dir.Write("new.tmp", "new");
  std::string to = dir.Write("Old.eff", "old");
  ASSERT_TRUE(ReplaceFile(from.c_str(), (dir.Path() + "/old.eff").c_str()));
  EXPECT_EQ(test::ReadFileBytes(to), "new");
  EXPECT_EQ(OpenFile(from.c_str(), "rb"), nullptr);
}

}  // namespace
}  // namespace tavrix
