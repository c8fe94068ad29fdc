#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/VersionText.h"

TEST(CommandLine, OwnWordsCountOnlyAsFlagsInAnyCase) {
  CommandLineFlags flags;
  EXPECT_TRUE(ParseCommandLine("/QUIET", flags).empty());
  EXPECT_FALSE(flags.showMainWindow);
  EXPECT_FALSE(flags.removeRequested || flags.killAllRequested);

  CommandLineFlags bare;
  EXPECT_EQ(ParseCommandLine("quiet", bare), std::vector<std::string>{"quiet"});
  EXPECT_TRUE(bare.showMainWindow);

  CommandLineFlags both;
  EXPECT_EQ(ParseCommandLine("-Remove /KillAll -other", both), std::vector<std::string>{"-other"});
  EXPECT_TRUE(both.removeRequested);
  EXPECT_TRUE(both.killAllRequested);
  EXPECT_FALSE(both.showMainWindow);
}

TEST(CommandLine, SplitsLikeTheRuntime) {
  EXPECT_EQ(SplitCommandLine("  a \"b c\"  d\\\"e f\\\\\"g h\""),
            (std::vector<std::string>{"a", "b c", "d\"e", "f\\g h"}));
  EXPECT_TRUE(SplitCommandLine("   ").empty());
}

TEST(VersionText, FormatsAndComparesBytewise) {
  EXPECT_EQ(FormatProductVersion(0x00010000, 0x00100000), "1.00.016");
  EXPECT_EQ(FormatProductVersion(0x0002000A, 0x00070003), "2.10.007");
  EXPECT_TRUE(IsUpgradeNewer("1.00.017", "1.00.016"));
  EXPECT_FALSE(IsUpgradeNewer("1.00.016", "1.00.016"));
  EXPECT_FALSE(IsUpgradeNewer("", "1.00.016"));
}
