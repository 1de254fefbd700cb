// The ini reader behind the switch file.
#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "support/TempDir.h"

namespace tavrix {
namespace {

int ReadValue(const std::string& contents, const char* section = "System",
              const char* key = "EnableParticle") {
  test::TempDir dir;
  std::string path = dir.Write("Particle.ini", contents);
  return static_cast<int>(GetPrivateProfileIntA(section, key, 1, path.c_str()));
}

TEST(ProfileInt, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(GetPrivateProfileIntA("System", "EnableParticle", 7, "/nonexistent/Particle.ini"), 7u);
  EXPECT_EQ(ReadValue("[Other]\nEnableParticle=0\n"), 1);
  EXPECT_EQ(ReadValue("[System]\nSomethingElse=0\n"), 1);
  EXPECT_EQ(ReadValue(""), 1);
}

TEST(ProfileInt, NamesMatchWithoutRegardToCaseAndSpaces) {
  EXPECT_EQ(ReadValue("[system]\nenableparticle=0\n"), 0);
  EXPECT_EQ(ReadValue("[ SYSTEM ]\n  EnableParticle  =  0  \n"), 0);
}

TEST(ProfileInt, ValueIsItsLeadingDecimalInteger) {
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=1abc\n"), 1);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=abc\n"), 0);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=-3\n"), -3);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=+12\n"), 12);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=\n"), 0);
}

TEST(ProfileInt, CommentsAreSkippedAndTheFirstKeyWins) {
  EXPECT_EQ(ReadValue("; EnableParticle=0\n[System]\n;EnableParticle=0\nEnableParticle=5\n"), 5);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=0\nEnableParticle=1\n"), 0);
  EXPECT_EQ(ReadValue("[System]\nEnableParticle=0 ; off for now\n"), 0);
}

}  // namespace
}  // namespace tavrix
