#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print/TextMeasurer.h"

// The printed page of a note: its text broken into lines inside a ruled box
// with a heading and a footer. The Win32 side draws what these return.

// Sixty-fourths of an inch, fixed at start-up.
constexpr int NOTE_PRINT_GAP = 1;
constexpr int NOTE_PRINT_SIDE_MARGIN = 16;
constexpr int NOTE_PRINT_TOP_MARGIN = 16;

// One printed line: text.substr(offset, length) drawn at (x, y) with the
// tab stop of its layout; `width` is its measured width.
struct PrintedLine {
  uint32_t offset = 0;
  uint32_t length = 0;
  int x = 0;
  int y = 0;
  int width = 0;
};

struct NoteTextLayout {
  std::vector<PrintedLine> lines;  // empty lines are not listed
  int tabStop = 1;                 // the one tab stop, in device units
  uint32_t next = 0;               // where the next page begins
  int bottom = 0;                  // the position after the last line
  int widestLine = 0;
};

// The tab stop on paper: "Tabs" average character widths, measured as the
// note view measures it (a default tab stop, scaled). Never below 1.
int NoteTabStop(ITextMeasurer& measurer, uint32_t tabs);

// Lays out text[start, stop) line by line inside `rect` until the text or
// the rectangle ends. Lines wrap at the last blank that fits, or inside a
// word longer than the width; blanks at a break are skipped; a line ends at
// a carriage return, and carriage returns and one line feed are skipped.
// While text is left, a call places at least one line of at least one
// character, so a printout always gets further, however big the font.
NoteTextLayout PrintNoteText(ITextMeasurer& measurer, std::string_view text, uint32_t start,
                             uint32_t stop, const PrintRect& rect, uint32_t tabs);

// The page's measures in device units, from the printer's pixels per inch.
struct NotePrintMetrics {
  int u = 0;         // a sixty-fourth of an inch vertically
  int a = 0;         // side inset
  int v = 0;         // top and bottom inset
  int g = NOTE_PRINT_GAP;
  int h = 0;         // text line height
  int H = 0;         // heading and footer line height
  int externalLeading = 0;
  int penWidth = 0;  // the frame pen, a sixty-fourth of an inch
};
NotePrintMetrics NotePrintMetricsFor(int dpiX, int dpiY, const FontMetrics& font);

struct NotePage {
  NotePrintMetrics metrics;
  NoteTextLayout text;
  PrintRect box;         // the frame, as wide as the widest line plus 2a
  int headingRuleY = 0;  // rules run across the box
  int headingX = 0;
  int headingY = 0;
  int footerRuleY = 0;
  int footerX = 0;
  int footerY = 0;
};

// One page of a note starting at `start`, inside the drawing rectangle
// `page`. The text area keeps the footer band free below it, so the footer
// never overprints the last line.
NotePage LayoutNotePage(ITextMeasurer& measurer, const PrintRect& page, int dpiX, int dpiY,
                        std::string_view text, uint32_t start, uint32_t tabs,
                        std::string_view heading, std::string_view footer);

// A time in local time with the locale's "%c"; nothing when the C runtime
// cannot convert it (before 1970 or otherwise refused).
std::optional<std::string> ReminderTimeText(int64_t time);

// The page heading: `remindFormat` (two "%s": title, then time) filled in
// when there is a reminder time to show, else the bare title.
std::string NoteHeading(const std::string& title, std::string_view remindFormat,
                        const std::optional<std::string>& reminderTime);
