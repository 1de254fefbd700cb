// The ini reader behind the switch file.
#include <gtest/gtest.h>

#include "platform/Win32.h"
#include "support/ProfileFile.h"

namespace tavrix {
namespace {

using test::IniValue;

TEST(ProfileInt, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(GetPrivateProfileIntA("System", "EnableParticle", 7, "/nonexistent/Particle.ini"), 7u);
  EXPECT_EQ(IniValue("[Other]\nEnableParticle=0\n"), 1);
  EXPECT_EQ(IniValue("[System]\nSomethingElse=0\n"), 1);
  EXPECT_EQ(IniValue(""), 1);
}

TEST(ProfileInt, NamesMatchWithoutRegardToCaseAndSpaces) {
  EXPECT_EQ(IniValue("[system]\nenableparticle=0\n"), 0);
  EXPECT_EQ(IniValue("[ SYSTEM ]\n  EnableParticle  =  0  \n"), 0);
}

TEST(ProfileInt, CommentsAreSkippedAndTheFirstKeyWins) {
  EXPECT_EQ(IniValue("; EnableParticle=0\n[System]\n;EnableParticle=0\nEnableParticle=5\n"), 5);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=0\nEnableParticle=1\n"), 0);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=0 ; off for now\n"), 0);
}

}  // namespace
}  // namespace tavrix
