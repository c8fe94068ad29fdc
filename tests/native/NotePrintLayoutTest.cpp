// The printed note: line breaks, tabs, page starts, the page's box, rules
// and footer, and the heading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeTextMeasurer.h"
#include "print/NoteLayout.h"
#include "print/PageStarts.h"

namespace {

// Ten characters wide, four lines of 25 high.
constexpr PrintRect AREA{0, 0, 100, 100};

std::vector<std::string> Texts(const NoteTextLayout& layout, std::string_view text) {
  std::vector<std::string> texts;
  for (const PrintedLine& line : layout.lines)
    texts.emplace_back(text.substr(line.offset, line.length));
  return texts;
}

using Lines = std::vector<std::string>;

// Lays out every page; the texts of each page's lines.
std::vector<Lines> Pages(FakeTextMeasurer& font, std::string_view text, const PrintRect& area) {
  CPageStarts starts;
  starts.Begin();
  std::vector<Lines> pages;
  for (uint32_t page = 1; !starts.Done(); ++page) {
    const uint32_t start = starts.Start(page);
    const NoteTextLayout layout = PrintNoteText(font, text, start, 100000, area, 8);
    pages.push_back(Texts(layout, text));
    starts.PageLaidOut(page, layout.next, static_cast<uint32_t>(text.size()));
  }
  return pages;
}

}  // namespace

TEST(NotePrintText, WrapsAtBlanksInsideLongWordsAndAtLineEnds) {
  FakeTextMeasurer font;
  std::string text = "hello world again";
  NoteTextLayout layout = PrintNoteText(font, text, 0, 100000, AREA, 8);
  EXPECT_EQ(Texts(layout, text), (Lines{"hello", "world", "again"}));
  EXPECT_EQ(layout.next, text.size());
  EXPECT_EQ(layout.bottom, 75);
  EXPECT_EQ(layout.widestLine, 50);

  text = "abcdefghijklmno pq";
  layout = PrintNoteText(font, text, 0, 100000, AREA, 8);
  EXPECT_EQ(Texts(layout, text), (Lines{"abcdefghij", "klmno pq"}));
  text = "abcdefghij   klm";
  layout = PrintNoteText(font, text, 0, 100000, AREA, 8);
  EXPECT_EQ(Texts(layout, text), (Lines{"abcdefghij", "klm"}));

  // Carriage returns and one line feed end a line; an empty line takes a row.
  text = "ab\r\r\n\r\ncd\n";
  layout = PrintNoteText(font, text, 0, 100000, AREA, 8);
  EXPECT_EQ(Texts(layout, text), (Lines{"ab", "cd\n"}));
  EXPECT_EQ(layout.lines[1].y, 50);
  // `stop` ends the text early; a start at the end places nothing.
  layout = PrintNoteText(font, text, 0, 2, AREA, 8);
  EXPECT_EQ(layout.next, 2u);
  layout = PrintNoteText(font, text, 10, 100000, AREA, 8);
  EXPECT_TRUE(layout.lines.empty());
  EXPECT_EQ(layout.bottom, 0);
}

TEST(NotePrintText, TabsAdvanceToTabsAverageCharacters) {
  FakeTextMeasurer font;
  EXPECT_EQ(NoteTabStop(font, 4), 40);
  EXPECT_EQ(NoteTabStop(font, 0), 1);  // no division by zero from a bad setting
  const std::string text = "a\tb\tcdefg";
  const NoteTextLayout layout = PrintNoteText(font, text, 0, 100000, AREA, 4);
  // "a\tb\tcd" fills the width: the break goes back to the tab.
  EXPECT_EQ(Texts(layout, text), (Lines{"a\tb", "cdefg"}));
  EXPECT_EQ(layout.lines[0].width, 50);
  EXPECT_EQ(layout.tabStop, 40);
}

TEST(NotePrintText, DoubleByteCharactersStayWhole) {
  FakeTextMeasurer font;
  font.dbcs = true;
  const std::string text = "\x82\xA0\x82\xA1\x82\xA2\x82\xA3";
  const NoteTextLayout layout = PrintNoteText(font, text, 0, 100000, {0, 0, 50, 100}, 8);
  ASSERT_EQ(layout.lines.size(), 2u);
  EXPECT_EQ(layout.lines[0].length, 4u);
  EXPECT_EQ(layout.lines[1].offset, 4u);
}

TEST(NotePrintText, PagesContinueAndStopAtTheEnd) {
  FakeTextMeasurer font;
  EXPECT_EQ(Pages(font, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10", AREA),
            (std::vector<Lines>{{"1", "2", "3", "4"}, {"5", "6", "7", "8"}, {"9", "10"}}));
  // A text that fills its last page exactly has no blank page after it.
  EXPECT_EQ(Pages(font, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n", AREA).size(), 2u);
}

TEST(NotePrintText, EveryPageProgressesWhateverTheFont) {
  FakeTextMeasurer font;
  font.font.height = 500;  // not one line fits, nor one character
  const std::vector<Lines> pages = Pages(font, "ab c\r\nd", {0, 0, 5, 100});
  EXPECT_EQ(pages, (std::vector<Lines>{{"a"}, {"b"}, {"c"}, {"d"}}));
}

TEST(NotePrintPage, BoxRulesAndFooterBand) {
  FakeTextMeasurer font;
  // 640 dpi: u 10, a = v = 170, g 1, h 25, H 35.
  const std::string text(40, 'x');
  const PrintRect paper{0, 0, 2000, 1000};
  NotePage page = LayoutNotePage(font, paper, 640, 640, text, 0, 8, "Title", "Footer");
  EXPECT_EQ(page.metrics.H, 35);
  EXPECT_EQ(page.metrics.penWidth, 10);
  EXPECT_EQ(page.text.lines[0].x, 170);
  EXPECT_EQ(page.text.lines[0].y, 206);
  EXPECT_EQ(page.headingRuleY, 36);
  EXPECT_EQ(page.headingY, 6);
  // The box fits the line; the footer band lies below the inset under it.
  EXPECT_EQ(page.box.right, 2 * 170 + 400);
  EXPECT_EQ(page.footerRuleY, 231 + 170);
  EXPECT_EQ(page.footerY, page.footerRuleY + 6);
  EXPECT_EQ(page.box.bottom, page.footerRuleY + 37);

  // A full page: the footer still starts below the last line, inside the paper.
  const std::string lines = std::string(2000, 'y');
  page = LayoutNotePage(font, {0, 0, 500, 1000}, 640, 640, lines, 0, 8, std::string(60, 'T'), "");
  const PrintedLine& last = page.text.lines.back();
  EXPECT_GE(page.footerRuleY, last.y + page.metrics.h);
  EXPECT_LE(page.box.bottom, 1000);
  EXPECT_EQ(page.box.right, 2 * 170 + 600);  // the heading is the widest
}

TEST(NotePrintHeading, ReminderTimeOnlyWhenItCanBeShown) {
  EXPECT_EQ(NoteHeading("Note 3", "%s        Remind: %s", std::string("Tue")),
            "Note 3        Remind: Tue");
  EXPECT_EQ(NoteHeading("50%s", "%s - %s %s", std::string("t")), "50%s - t %s");
  EXPECT_EQ(NoteHeading("Note 3", "%s        Remind: %s", ReminderTimeText(-1)), "Note 3");
  EXPECT_TRUE(ReminderTimeText(86400).has_value());
}
