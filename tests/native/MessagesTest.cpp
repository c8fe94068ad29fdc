#include <gtest/gtest.h>

#include "shared/FakeMessages.h"

TEST(Messages, PlaceholdersReplaceFirstOccurrenceOnly) {
  std::string text = "<NUM> of <NUM>, <NAME>";
  ReplacePlaceholder(text, "<NUM>", "3");
  ReplacePlaceholder(text, "<NAME>", "a <NUM> b");
  ReplacePlaceholder(text, "<ABSENT>", "x");
  EXPECT_EQ(text, "3 of <NUM>, a <NUM> b");
}

TEST(Messages, ShowMessageLoadsTheTextById) {
  FakeMessages messages;
  messages.answers = {MessageAnswer::Yes};
  EXPECT_EQ(ShowMessage(messages, 305, MessageButtons::YesNo, MessageIcon::Question),
            MessageAnswer::Yes);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Would you like Quillery to create a new notes file?");
}
