// The printed summary list: column shares, the columns on paper, rows per
// page and the title line.
#include <gtest/gtest.h>

#include <vector>

#include "FakeTextMeasurer.h"
#include "print/ListLayout.h"
#include "print/PageStarts.h"

TEST(ListPrintColumns, SharesColumnsAndSymbol) {
  EXPECT_EQ(ColumnShares({40, 200, 80, 80}), (ListColumnValues{10, 50, 20, 20}));
  EXPECT_EQ(ColumnShares({0, 0, 0, 0}), (ListColumnValues{25, 25, 25, 25}));
  FakeTextMeasurer font;
  // 640 dpi: column gap 64, grid pen 10.
  ListPageLayout page = PrintListPage(font, {50, 100, 1050, 1000}, 640, {10, 50, 20, 20}, 0, 1);
  EXPECT_EQ(page.left, (ListColumnValues{50, 150, 650, 850}));
  EXPECT_EQ(page.CellRight(0), 86);
  EXPECT_EQ(page.CellRight(3), 1050);
  EXPECT_EQ(page.symbolX, 80);  // before "*WW9999"
  EXPECT_EQ(page.rowY, (std::vector<int>{135}));
  page = PrintListPage(font, {50, 100, 550, 1000}, 640, {10, 50, 20, 20}, 0, 1);
  EXPECT_EQ(page.symbolX, 50);
}

TEST(ListPrintColumns, DatesAndNumbersWidenFromTheNoteColumnOnly) {
  EXPECT_EQ(WidenTextColumns({5, 55, 20, 20}, {8, 10, 24, 24}), (ListColumnValues{8, 44, 24, 24}));
  // The note column keeps a quarter; what is wide enough stays.
  EXPECT_EQ(WidenTextColumns({5, 35, 30, 30}, {10, 10, 40, 40}), (ListColumnValues{10, 25, 35, 30}));
  EXPECT_EQ(WidenTextColumns({10, 20, 35, 35}, {5, 90, 30, 30}), (ListColumnValues{10, 20, 35, 35}));
}

TEST(ListPrintRows, TwelveNotesFiveRowsAPage) {
  FakeTextMeasurer font;
  CPageStarts starts;
  std::vector<std::vector<int>> pages;
  uint32_t previewMax = 1;
  for (starts.Begin(); !starts.Done();) {
    const uint32_t page = starts.Count();
    // Rows from 35: the fifth ends at 160, a sixth would not fit.
    const ListPageLayout layout =
        PrintListPage(font, {0, 0, 1000, 180}, 640, {25, 25, 25, 25}, starts.Start(page), 12);
    pages.push_back({static_cast<int>(starts.Start(page)), static_cast<int>(layout.next)});
    starts.PageLaidOut(page, layout.next, 12);
    starts.PageLaidOut(1, layout.next, 12);  // an earlier page adds nothing
    previewMax = starts.PreviewMaxPage(previewMax);
  }
  EXPECT_EQ(pages, (std::vector<std::vector<int>>{{0, 5}, {5, 10}, {10, 12}}));
  EXPECT_EQ(previewMax, 3u);
  // The first row is placed even where it does not fit.
  EXPECT_EQ(PrintListPage(font, {0, 0, 1000, 10}, 640, {25, 25, 25, 25}, 4, 12).next, 5u);
}

TEST(ListPrintTitle, TitlePageNumberAndBands) {
  FakeTextMeasurer font;
  const ListPrintPage page = LayoutListPage(font, {0, 0, 1000, 1000}, 640, {25, 25, 25, 25}, 0,
                                            100, "Note Summary List", ListPageNumberText("Page", 2));
  EXPECT_EQ(page.titleX, (1000 - 170) / 2);
  EXPECT_EQ(page.pageX, 1000 - 60);  // "Page 2"
  EXPECT_EQ(page.body.top, 50);
  EXPECT_EQ(page.table.bottom, 935);  // 34 rows from 85, the bottom 50 free
}
