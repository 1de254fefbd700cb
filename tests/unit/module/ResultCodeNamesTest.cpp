// Every result code has its own number and a meaning; other numbers are named
// for what they are.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "tavrix/ResultCodeNames.h"

namespace tavrix {
namespace {

TEST(ResultCodeNames, CodesAreUniqueAndOthersAreNamedForWhatTheyAre) {
  std::set<int32_t> codes;
  for (const ResultCodeInfo& info : kResultCodes) {
    EXPECT_TRUE(codes.insert(info.code).second) << info.name;
    EXPECT_GT(std::strlen(info.meaning), 0u) << info.name;
  }
  EXPECT_STREQ(ResultCodeName(7), "identifier");
  EXPECT_STREQ(ResultCodeName(-3939), "unknown result code");
}

}  // namespace
}  // namespace tavrix
