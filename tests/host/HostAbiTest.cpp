// Placeholder replaced by the separately declared host test.
#include <gtest/gtest.h>
TEST(HostAbi, Placeholder) { SUCCEED(); }
