// The printed note: line breaks, tabs, page starts, the box and the footer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeTextMeasurer.h"
#include "print/NoteLayout.h"
#include "print/PageStarts.h"

namespace {

using Lines = std::vector<std::string>;

// Each page's lines, laid out in ten-character rows, four to a page.
std::vector<Lines> Pages(FakeTextMeasurer& font, std::string_view text, uint32_t tabs = 8,
                         const PrintRect& area = {0, 0, 100, 100}) {
  CPageStarts starts;
  std::vector<Lines> pages;
  for (starts.Begin(); !starts.Done();) {
    const uint32_t page = starts.Count();
    const NoteTextLayout layout = PrintNoteText(font, text, starts.Start(page), ~0u, area, tabs);
    pages.emplace_back();
    for (const PrintedLine& line : layout.lines)
      pages.back().emplace_back(text.substr(line.offset, line.length));
    starts.PageLaidOut(page, layout.next, static_cast<uint32_t>(text.size()));
  }
  return pages;
}

}  // namespace

TEST(NotePrintText, WrapsAtBlanksInsideLongWordsAndAtLineEnds) {
  FakeTextMeasurer font;
  EXPECT_EQ(Pages(font, "hello world again\r\nabcdefghijklmno pq"),
            (std::vector<Lines>{{"hello", "world", "again", "abcdefghij"}, {"klmno pq"}}));
  // Blanks at a break are skipped; carriage returns and one line feed end a
  // line, and an empty line takes a row.
  EXPECT_EQ(Pages(font, "abcdefghij   klm\r\r\n\r\ncd\n"),
            (std::vector<Lines>{{"abcdefghij", "klm", "cd\n"}}));
  const NoteTextLayout layout = PrintNoteText(font, "ab\r\n\r\ncd", 0, ~0u, {0, 7, 100, 100}, 8);
  EXPECT_EQ(layout.lines[1].y, 57);
  EXPECT_EQ(layout.bottom, 82);
  // Tabs go to "Tabs" average characters: "a\tb\tcd" fills the row.
  EXPECT_EQ(Pages(font, "a\tb\tcdefg", 4), (std::vector<Lines>{{"a\tb", "cdefg"}}));
  EXPECT_EQ(PrintNoteText(font, "a\tb", 0, ~0u, {0, 0, 100, 100}, 4).widestLine, 50);
  EXPECT_EQ(NoteTabStop(font, 0), 1);
  // A double-byte character is never split.
  font.dbcs = true;
  EXPECT_EQ(Pages(font, "\x82\xA0\x82\xA1\x82\xA2", 8, {0, 0, 50, 100}),
            (std::vector<Lines>{{"\x82\xA0\x82\xA1", "\x82\xA2"}}));
}

TEST(NotePrintText, PagesEndWithTheTextAndAlwaysProgress) {
  FakeTextMeasurer font;
  EXPECT_EQ(Pages(font, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9").size(), 3u);
  EXPECT_EQ(Pages(font, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n").size(), 2u);
  // Neither a row nor a character fits: one character a page still.
  font.font.height = 500;
  EXPECT_EQ(Pages(font, "ab c\r\nd", 8, {0, 0, 5, 100}),
            (std::vector<Lines>{{"a"}, {"b"}, {"c"}, {"d"}}));
}

TEST(NotePrintPage, BoxFitsTheWidestLineAndTheFooterHasItsBand) {
  FakeTextMeasurer font;
  // 640 dpi: insets a = v = 170, g 1, heading and footer rows H = 35.
  NotePage page =
      LayoutNotePage(font, {0, 0, 2000, 1000}, 640, 640, std::string(40, 'x'), 0, 8, "T", "F");
  EXPECT_EQ(page.text.lines[0].x, 170);
  EXPECT_EQ(page.text.lines[0].y, 170 + 36);
  EXPECT_EQ(page.headingRuleY, 36);
  EXPECT_EQ(page.box.right, 2 * 170 + 400);
  EXPECT_EQ(page.footerRuleY, 231 + 170);
  EXPECT_EQ(page.box.bottom, page.footerRuleY + 37);
  // A full page: the footer starts below the last line, on the paper.
  page = LayoutNotePage(font, {0, 0, 500, 1000}, 640, 640, std::string(2000, 'y'), 0, 8,
                        std::string(60, 'T'), "F");
  EXPECT_GE(page.footerRuleY, page.text.bottom);
  EXPECT_LE(page.box.bottom, 1000);
  EXPECT_EQ(page.box.right, 2 * 170 + 600);  // the heading is the widest
}

TEST(NotePrintHeading, ReminderTimeOnlyWhenItCanBeShown) {
  EXPECT_EQ(NoteHeading("N%s", "%s        Remind: %s", std::string("Tue")),
            "N%s        Remind: Tue");
  EXPECT_EQ(NoteHeading("Note 3", "%s        Remind: %s", ReminderTimeText(-1)), "Note 3");
  EXPECT_TRUE(ReminderTimeText(86400).has_value());
}
