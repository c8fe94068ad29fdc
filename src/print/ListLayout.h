#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/TextMeasurer.h"

// The printed summary list: a title line, the column headings underlined,
// then one row per note, as many as fit, never split across pages. The
// Win32 side draws what these return.

constexpr int LIST_PRINT_COLUMNS = 4;
using ListColumnValues = std::array<int, LIST_PRINT_COLUMNS>;

// Each screen column's share of the total width, in whole percent. Equal
// shares when the columns have no width at all.
ListColumnValues ColumnShares(const ListColumnValues& widths);

// Numbers and dates cut short say nothing: a column other than the note's
// whose share is below what its text needs (in percent) gets it from the
// note column, whose text is cut anyway, while that keeps a quarter.
ListColumnValues WidenTextColumns(ListColumnValues shares, const ListColumnValues& needed);

// The grid pen: a sixty-fourth of an inch (0, the thinnest line, on coarse
// printers).
inline int ListGridPenWidth(int dpiX) { return dpiX / 64; }

struct ListPageLayout {
  int h = 0;    // row height
  int gap = 0;  // between columns, a tenth of an inch
  ListColumnValues left{};
  ListColumnValues width{};
  // The reminder symbol: drawn at (symbolX, row y) with the size of a "W".
  int symbolX = 0;
  int symbolWidth = 0;
  int symbolHeight = 0;
  int headingY = 0;  // the headings' row
  int ruleY = 0;     // the line under the headings, from left[0] to tableRight
  int tableRight = 0;
  std::vector<int> rowY;  // row k shows the note with index first + k
  uint32_t next = 0;      // index of the first note not placed
  int bottom = 0;         // the position after the last row

  // A cell of column c spans left[c] to CellRight(c), h high.
  int CellRight(int c) const {
    return left[c] + width[c] - (c + 1 < LIST_PRINT_COLUMNS ? gap : 0);
  }
};

// The headings and the rows of the notes with index first, first + 1, ...
// below noteCount that fit into `rect`; the first row is always placed.
ListPageLayout PrintListPage(ITextMeasurer& measurer, const PrintRect& rect, int dpiX,
                             const ListColumnValues& shares, uint32_t first, uint32_t noteCount);

struct ListPrintPage {
  int titleY = 0;  // the title line, h high, at the top
  int titleX = 0;  // centred
  int dateX = 0;   // at the left
  int pageX = 0;   // at the right
  PrintRect body;  // below the title line by 2h; the bottom 2h stay empty
  ListPageLayout table;
};

ListPrintPage LayoutListPage(ITextMeasurer& measurer, const PrintRect& page, int dpiX,
                             const ListColumnValues& shares, uint32_t first, uint32_t noteCount,
                             std::string_view title, std::string_view pageText);

// "Page 2": the word for page (a string-table text) and the number.
std::string ListPageNumberText(std::string_view pageWord, uint32_t page);
