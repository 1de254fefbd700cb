// How the POSIX port resolves paths written on Windows: '\\' separates
// directories and letter case is matched on this file system, and only
// files count as found. Windows keeps paths as written and finds
// directories too.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/FileAccess.h"
#include "platform/Win32.h"
#include "support/TempDir.h"

namespace tavrix {
namespace {

TEST(FileAccess, BackslashesAndLetterCaseResolve) {
  test::TempDir dir;
  std::string real = dir.Write("image/fire.png", "x");
  char resolved[4096];
  std::string windowsStyle = dir.Path() + "\\Image\\Fire.PNG";
  ASSERT_TRUE(ResolvePath(windowsStyle.c_str(), resolved, sizeof resolved, true));
  EXPECT_EQ(std::string(resolved), real);
  std::FILE* file = OpenFile(windowsStyle.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(std::fgetc(file), 'x');
  std::fclose(file);
}

TEST(FileAccess, MissingFileFailsForReadingButNotForWriting) {
  test::TempDir dir;
  dir.Write("Effects/keep.txt", "");
  char resolved[4096];
  std::string missing = dir.Path() + "/effects/new.eff";
  EXPECT_FALSE(ResolvePath(missing.c_str(), resolved, sizeof resolved, true));
  ASSERT_TRUE(ResolvePath(missing.c_str(), resolved, sizeof resolved, false));
  EXPECT_EQ(std::string(resolved), dir.Path() + "/Effects/new.eff");
  EXPECT_EQ(OpenFile(missing.c_str(), "rb"), nullptr);
  EXPECT_EQ(OpenFile((dir.Path() + "/effects").c_str(), "rb"), nullptr);
  EXPECT_EQ(OpenFile((dir.Path() + "/effects").c_str(), "wb"), nullptr);
}

TEST(FileAccess, FindFirstFileTestsExistence) {
  test::TempDir dir;
  dir.Write("image/Spark.png", "x");
  WIN32_FIND_DATAA data;
  HANDLE found = FindFirstFileA((dir.Path() + "\\image\\spark.png").c_str(), &data);
  ASSERT_NE(found, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "Spark.png");
  EXPECT_TRUE(FindClose(found));
  EXPECT_EQ(FindFirstFileA((dir.Path() + "/image/none.png").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(FindFirstFileA((dir.Path() + "/image").c_str(), &data), INVALID_HANDLE_VALUE);
}

}  // namespace
}  // namespace tavrix
