// The printed summary list: column shares, the columns on paper, rows per
// page, the title line, and the page starts both printouts share.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "FakeTextMeasurer.h"
#include "print/ListLayout.h"
#include "print/PageStarts.h"

namespace {

// 640 dpi: gap 64, grid pen 10; rows 25 high.
constexpr int DPI = 640;
constexpr ListColumnValues SHARES{10, 50, 20, 20};

}  // namespace

TEST(ListPrintColumns, SharesFollowTheScreenWidths) {
  EXPECT_EQ(ColumnShares({40, 200, 80, 80}), (ListColumnValues{10, 50, 20, 20}));
  EXPECT_EQ(ColumnShares({0, 0, 0, 0}), (ListColumnValues{25, 25, 25, 25}));
  EXPECT_EQ(ColumnShares({1, 1, 1, 0}), (ListColumnValues{33, 33, 33, 0}));
}

TEST(ListPrintColumns, PaperColumnsHeadingsAndSymbol) {
  FakeTextMeasurer font;
  const ListPageLayout page = PrintListPage(font, {50, 100, 1050, 1000}, DPI, SHARES, 0, 1);
  EXPECT_EQ(page.left, (ListColumnValues{50, 150, 650, 850}));
  EXPECT_EQ(page.width, (ListColumnValues{100, 500, 200, 200}));
  EXPECT_EQ(page.CellRight(0), 86);
  EXPECT_EQ(page.CellRight(3), 1050);  // the last column has no gap
  EXPECT_EQ(page.tableRight, 1050);
  EXPECT_EQ(page.symbolX, 80);  // "*WW9999" is 70 wide
  EXPECT_EQ(page.symbolWidth, 10);
  EXPECT_EQ(page.headingY, 100);
  EXPECT_EQ(page.ruleY, 125);
  EXPECT_EQ(page.rowY, (std::vector<int>{135}));
  // A number column too narrow for the symbol puts it at the left.
  EXPECT_EQ(PrintListPage(font, {50, 100, 550, 1000}, DPI, SHARES, 0, 1).symbolX, 50);
}

TEST(ListPrintRows, RowsNeverSplitAndPagesFollowEachOther) {
  FakeTextMeasurer font;
  // Rows from 35; five end at 160, a sixth would not fit.
  const PrintRect body{0, 0, 1000, 180};
  CPageStarts starts;
  starts.Begin();
  std::vector<std::pair<uint32_t, uint32_t>> pages;  // first note, rows
  uint32_t previewMax = 1;
  for (uint32_t page = 1; !starts.Done(); ++page) {
    const ListPageLayout layout = PrintListPage(font, body, DPI, SHARES, starts.Start(page), 12);
    pages.emplace_back(starts.Start(page), layout.rowY.size());
    EXPECT_EQ(layout.bottom, 35 + 25 * static_cast<int>(layout.rowY.size()));
    starts.PageLaidOut(page, layout.next, 12);
    previewMax = starts.PreviewMaxPage(previewMax);
    // Laying out an earlier page again adds nothing.
    starts.PageLaidOut(1, layout.next, 12);
  }
  EXPECT_EQ(pages, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 5}, {5, 5}, {10, 2}}));
  EXPECT_EQ(previewMax, 3u);

  // The first row is placed even where it does not fit.
  const ListPageLayout tiny = PrintListPage(font, {0, 0, 1000, 10}, DPI, SHARES, 4, 12);
  EXPECT_EQ(tiny.rowY.size(), 1u);
  EXPECT_EQ(tiny.next, 5u);
}

TEST(ListPrintRows, PageStartsEndWhenAPageMakesNoProgress) {
  CPageStarts starts;
  starts.Begin();
  starts.PageLaidOut(1, 0, 12);
  EXPECT_TRUE(starts.Done());
  EXPECT_EQ(starts.Count(), 1u);
}

TEST(ListPrintTitle, TitleDatePageAndBands) {
  FakeTextMeasurer font;
  const ListPrintPage page =
      LayoutListPage(font, {0, 0, 1000, 1000}, DPI, SHARES, 0, 100, "Note Summary List",
                     ListPageNumberText("Page", 2));
  EXPECT_EQ(page.titleX, (1000 - 170) / 2);
  EXPECT_EQ(page.dateX, 0);
  EXPECT_EQ(page.pageX, 1000 - 60);  // "Page 2"
  EXPECT_EQ(page.body.top, 50);
  EXPECT_EQ(page.body.bottom, 950);
  EXPECT_LE(page.table.bottom, 950);
  EXPECT_EQ(page.table.rowY.size(), (950 - 50 - 35) / 25u);
}
