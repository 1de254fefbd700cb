// How the POSIX port reads a value: its leading decimal integer, a sign
// included. Windows reads "+12" as 0.
#include <gtest/gtest.h>

#include "support/ProfileFile.h"

namespace tavrix {
namespace {

using test::IniValue;

TEST(ProfileInt, ValueIsItsLeadingDecimalInteger) {
  EXPECT_EQ(IniValue("[System]\nEnableParticle=1abc\n"), 1);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=abc\n"), 0);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=-3\n"), -3);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=+12\n"), 12);
  EXPECT_EQ(IniValue("[System]\nEnableParticle=\n"), 0);
}

}  // namespace
}  // namespace tavrix
