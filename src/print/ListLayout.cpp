#include "print/ListLayout.h"

#include <algorithm>

ListColumnValues ColumnShares(const ListColumnValues& widths) {
  int64_t total = 0;
  for (int width : widths) total += width > 0 ? width : 0;
  ListColumnValues shares{};
  for (int i = 0; i < LIST_PRINT_COLUMNS; ++i) {
    const int width = widths[i] > 0 ? widths[i] : 0;
    shares[i] = total > 0 ? static_cast<int>(int64_t{width} * 100 / total)
                          : 100 / LIST_PRINT_COLUMNS;
  }
  return shares;
}

ListColumnValues WidenTextColumns(ListColumnValues shares, const ListColumnValues& needed) {
  constexpr int NOTE = 1;
  constexpr int NOTE_MINIMUM = 25;
  for (int c = 0; c < LIST_PRINT_COLUMNS; ++c) {
    if (c == NOTE || shares[c] >= needed[c]) continue;
    const int take = std::min(needed[c] - shares[c], std::max(0, shares[NOTE] - NOTE_MINIMUM));
    shares[c] += take;
    shares[NOTE] -= take;
  }
  return shares;
}

ListPageLayout PrintListPage(ITextMeasurer& measurer, const PrintRect& rect, int dpiX,
                             const ListColumnValues& shares, uint32_t first, uint32_t noteCount) {
  ListPageLayout layout;
  const FontMetrics font = measurer.Metrics();
  layout.h = font.height + font.externalLeading;
  layout.gap = dpiX / 10;
  layout.symbolWidth = measurer.TextWidth("W");
  layout.symbolHeight = font.height;

  int x = rect.left;
  for (int i = 0; i < LIST_PRINT_COLUMNS; ++i) {
    layout.left[i] = x;
    layout.width[i] = static_cast<int>(int64_t{rect.right - rect.left} * shares[i] / 100);
    x += layout.width[i];
  }
  layout.tableRight = x;

  // Just before a right-aligned number of up to four digits.
  const int numberWidth = measurer.TextWidth("*WW9999");
  layout.symbolX =
      numberWidth < layout.width[0] ? layout.left[0] + layout.width[0] - numberWidth : rect.left;

  layout.headingY = rect.top;
  layout.ruleY = rect.top + layout.h;
  int y = layout.ruleY + ListGridPenWidth(dpiX);
  uint32_t index = first;
  for (; index < noteCount; ++index) {
    if (index != first && y + layout.h > rect.bottom) break;
    layout.rowY.push_back(y);
    y += layout.h;
  }
  layout.next = index;
  layout.bottom = y;
  return layout;
}

ListPrintPage LayoutListPage(ITextMeasurer& measurer, const PrintRect& page, int dpiX,
                             const ListColumnValues& shares, uint32_t first, uint32_t noteCount,
                             std::string_view title, std::string_view pageText) {
  ListPrintPage result;
  const FontMetrics font = measurer.Metrics();
  const int h = font.height + font.externalLeading;
  result.titleY = page.top;
  result.titleX = page.left + (page.right - page.left - measurer.TextWidth(title)) / 2;
  result.dateX = page.left;
  result.pageX = page.right - measurer.TextWidth(pageText);
  result.body = {page.left, page.top + 2 * h, page.right, page.bottom - 2 * h};
  result.table = PrintListPage(measurer, result.body, dpiX, shares, first, noteCount);
  return result;
}

std::string ListPageNumberText(std::string_view pageWord, uint32_t page) {
  return std::string(pageWord) + " " + std::to_string(page);
}
