#include "print/NoteLayout.h"

#include <algorithm>
#include <climits>
#include <ctime>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Walks one line's characters; a double-byte character is one step.
class LineCursor {
 public:
  LineCursor(ITextMeasurer& measurer, std::string_view text, uint32_t start, uint32_t end)
      : measurer(measurer), text(text), start(start), end(end) {}

  bool IsLead(uint32_t i) const {
    return measurer.IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < end;
  }
  uint32_t Next(uint32_t i) const { return IsLead(i) ? i + 2 : i + 1; }
  uint32_t Previous(uint32_t i) const {
    uint32_t previous = start;
    for (uint32_t k = start; k < i; k = Next(k)) previous = k;
    return previous;
  }

 private:
  ITextMeasurer& measurer;
  std::string_view text;
  uint32_t start;
  uint32_t end;
};

// Offset just past the part of text[start, end) that fits into `width`:
// an estimate from the character widths, corrected by measuring until the
// part fits and one more character would not. May be `start`.
uint32_t ClipLine(ITextMeasurer& measurer, const int widths[256], int averageWidth, int width,
                  int tabStop, std::string_view text, uint32_t start, uint32_t end) {
  const LineCursor cursor(measurer, text, start, end);
  const auto measure = [&](uint32_t to) {
    return measurer.TabbedTextWidth(text.substr(start, to - start), tabStop);
  };
  int64_t estimate = 0;
  uint32_t i = start;
  while (i < end) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\t')
      estimate += tabStop - estimate % tabStop;
    else
      estimate += cursor.IsLead(i) ? averageWidth : widths[c];
    i = cursor.Next(i);
    if (estimate > width) break;
  }
  if (measure(i) > width) {
    do i = cursor.Previous(i);
    while (i > start && measure(i) > width);
    return i;
  }
  while (i < end) {
    const uint32_t longer = cursor.Next(i);
    if (measure(longer) > width) break;
    i = longer;
  }
  return i;
}

}  // namespace

int NoteTabStop(ITextMeasurer& measurer, uint32_t tabs) {
  const int64_t stop = int64_t{tabs} * 4 * measurer.TabbedTextWidth("\t", 0) / 8 / 4;
  return static_cast<int>(std::clamp<int64_t>(stop, 1, INT_MAX));
}

NoteTextLayout PrintNoteText(ITextMeasurer& measurer, std::string_view text, uint32_t start,
                             uint32_t stop, const PrintRect& rect, uint32_t tabs) {
  NoteTextLayout layout;
  layout.next = start;
  layout.bottom = rect.top;
  const auto length = static_cast<uint32_t>(text.size());
  if (start >= length) return layout;
  stop = std::min(stop, length);

  const FontMetrics font = measurer.Metrics();
  layout.tabStop = NoteTabStop(measurer, tabs);
  int widths[256];
  measurer.CharWidths(widths);
  const int h = font.height + font.externalLeading;
  const int width = rect.right - rect.left;

  int y = rect.top;
  uint32_t index = start;
  // The first line is placed even when it does not fit: every page progresses.
  do {
    uint32_t end = index;
    while (end < stop && text[end] != '\r') ++end;
    if (end == index) {
      y += h;
    } else {
      const LineCursor cursor(measurer, text, index, end);
      do {
        uint32_t wrap = ClipLine(measurer, widths, font.averageCharWidth, width,
                                 layout.tabStop, text, index, end);
        if (wrap == index) wrap = cursor.Next(index);
        uint32_t word = wrap;
        if (word != end) {
          while (word > index && !IsBlank(text[word])) --word;
          if (word == index) word = wrap;
        }
        const std::string_view part = text.substr(index, word - index);
        const int partWidth = measurer.TabbedTextWidth(part, layout.tabStop);
        layout.lines.push_back({index, word - index, rect.left, y, partWidth});
        layout.widestLine = std::max(layout.widestLine, partWidth);
        y += h;
        index = word;
        while (index < end && IsBlank(text[index])) ++index;
      } while (index < end && y + h <= rect.bottom);
      end = index;
    }
    while (end < stop && text[end] == '\r') ++end;
    if (end < stop && text[end] == '\n') ++end;
    index = end;
  } while (index < stop && y + h <= rect.bottom);

  layout.next = index;
  layout.bottom = y;
  return layout;
}

NotePrintMetrics NotePrintMetricsFor(int dpiX, int dpiY, const FontMetrics& font) {
  NotePrintMetrics m;
  m.u = dpiY / 64;
  m.a = dpiX / 64 * (NOTE_PRINT_SIDE_MARGIN + m.g);
  m.v = m.u * (NOTE_PRINT_TOP_MARGIN + m.g);
  m.h = font.height + font.externalLeading;
  m.H = m.u + font.externalLeading + font.height;
  m.externalLeading = font.externalLeading;
  m.penWidth = dpiX / 64 * m.g;
  return m;
}

NotePage LayoutNotePage(ITextMeasurer& measurer, const PrintRect& page, int dpiX, int dpiY,
                        std::string_view text, uint32_t start, uint32_t tabs,
                        std::string_view heading, std::string_view footer) {
  NotePage result;
  const NotePrintMetrics m = NotePrintMetricsFor(dpiX, dpiY, measurer.Metrics());
  result.metrics = m;
  const int headingBand = m.g + m.H;
  const int footerBand = 2 * m.g + m.H;
  const PrintRect area{page.left + m.a, page.top + m.v + headingBand, page.right - m.a,
                       page.bottom - m.v - footerBand};
  result.text = PrintNoteText(measurer, text, start, static_cast<uint32_t>(text.size()), area, tabs);

  const int widest = std::max({result.text.widestLine, measurer.TextWidth(heading),
                               measurer.TextWidth(footer)});
  result.box = {page.left, page.top, page.left + 2 * m.a + widest,
                result.text.bottom + m.v + footerBand};
  result.headingRuleY = page.top + headingBand;
  result.headingX = page.left + m.a;
  result.headingY = page.top + m.g + m.externalLeading;
  result.footerRuleY = result.box.bottom - footerBand;
  result.footerX = page.left + m.a;
  result.footerY = result.footerRuleY + m.g + m.externalLeading;
  return result;
}

std::optional<std::string> ReminderTimeText(int64_t time) {
  // The Windows runtime refuses times before 1970; refuse them everywhere.
  if (time < 0) return std::nullopt;
  const auto t = static_cast<std::time_t>(time);
  const std::tm* local = std::localtime(&t);
  if (local == nullptr) return std::nullopt;
  char text[256];
  const size_t length = std::strftime(text, sizeof text, "%c", local);
  if (length == 0) return std::nullopt;
  return std::string(text, length);
}

std::string NoteHeading(const std::string& title, std::string_view remindFormat,
                        const std::optional<std::string>& reminderTime) {
  if (!reminderTime) return title;
  // Filled by hand: the format comes from the string table, never printf.
  std::string heading;
  const std::string* values[] = {&title, &*reminderTime};
  size_t used = 0;
  for (size_t i = 0; i < remindFormat.size(); ++i) {
    if (used < 2 && remindFormat.compare(i, 2, "%s") == 0) {
      heading += *values[used++];
      ++i;
    } else {
      heading += remindFormat[i];
    }
  }
  return heading;
}
