#include <gtest/gtest.h>

#include "tavrix/tavrix.h"

TEST(Exports, VersionIsOne) { EXPECT_EQ(GetParticleSystemVersion(), 1); }
