// The summary list's cell texts, column defaults, centring, drop targets
// and the automatic scrolling while a row is dragged.
#include <gtest/gtest.h>

#include <ctime>

#include "FakeDocumentPorts.h"
#include "listview/ListRules.h"

namespace {

class ListCells : public NoteDocumentTest {};

std::string LocalC(int32_t time) {
  std::time_t t = time;
  char text[256];
  return std::string(text, std::strftime(text, sizeof text, "%c", std::localtime(&t)));
}

// Every character is as wide as its code's last digit plus one.
int FakeWidth(const char* text, void* calls) {
  ++*static_cast<int*>(calls);
  int width = 0;
  for (; *text != 0; ++text) width += *text % 10 + 1;
  return width;
}

}  // namespace

TEST_F(ListCells, LineBreaksTabsAndTimes) {
  Pad({"first\r\nsecond\tthird\r\n", "lone\nfeed\r"});
  EXPECT_EQ(ListCellText(store, 1, LIST_COLUMN_NUMBER), "1");
  EXPECT_EQ(ListCellText(store, 2, LIST_COLUMN_NUMBER), "2");
  EXPECT_EQ(ListCellText(store, 1, LIST_COLUMN_NOTE), "first\xB6second third\xB6");
  EXPECT_EQ(ListCellText(store, 2, LIST_COLUMN_NOTE), "lonefeed\xB6");
  EXPECT_EQ(ListCellText(store, 2, LIST_COLUMN_CREATED), LocalC(101));
  EXPECT_EQ(ListCellText(store, 2, LIST_COLUMN_MODIFIED), LocalC(201));
  // Past the notes there is nothing to show.
  EXPECT_EQ(ListCellText(store, 3, LIST_COLUMN_NOTE), "");
  EXPECT_EQ(ListCellText(store, 0, LIST_COLUMN_NUMBER), "");
}

TEST_F(ListCells, LongTextsAreCutBeforeLineFeedsGo) {
  // The cut is made on the stored bytes: removed line feeds do not let
  // more text in.
  std::string text(1020, 'a');
  text += "\r\n\n\nbbbb";
  Pad({text});
  const std::string cell = ListCellText(store, 1, LIST_COLUMN_NOTE);
  EXPECT_EQ(cell, std::string(1020, 'a') + "\xB6");
  EXPECT_LE(cell.size(), LIST_CELL_CAPACITY);
}

TEST(ListColumns, DefaultsAndDividerDefaults) {
  int calls = 0;
  const int hash = FakeWidth("WW1999", &calls);
  EXPECT_EQ(DefaultColumnWidth(0, false, 512, 16, FakeWidth, &calls), hash + 8);
  // Half of the frame less a scroll bar and 6 pixels, rounded down.
  EXPECT_EQ(DefaultColumnWidth(1, false, 513, 17, FakeWidth, &calls), 245);
  EXPECT_EQ(DefaultColumnWidth(2, false, 512, 16, FakeWidth, &calls), FakeWidth("99/99/99 99", &calls) + 8);
  const int divider = DefaultColumnWidth(3, true, 512, 16, FakeWidth, &calls);
  EXPECT_EQ(divider, FakeWidth("99/99/9999 99", &calls) + 8);
  EXPECT_GT(divider, DefaultColumnWidth(3, false, 512, 16, FakeWidth, &calls));
  EXPECT_EQ(LIST_COLUMN_TABLE[0].headingId, 400u);
  EXPECT_EQ(LIST_COLUMN_TABLE[0].textAlign, ListAlign::Right);
  EXPECT_EQ(LIST_COLUMN_TABLE[2].headerAlign, ListAlign::Center);
  EXPECT_EQ(LIST_COLUMN_TABLE[3].textAlign, ListAlign::Left);
}

TEST(ListCentering, CurrentRowToTheMiddleOnlyWhenTheListGoesOn) {
  // 100 notes, 10 rows a page, top row 0: note 50 goes to the middle.
  EXPECT_EQ(CenteringScroll(50, 100, 0, 10, 17), (50 - 5 - 0 - 1) * 17);
  // Near the top the list scrolls back up (negative pixels).
  EXPECT_EQ(CenteringScroll(2, 100, 30, 11, 10), (2 - 5 - 30 - 1) * 10);
  // The rest of the list fits on the page: nothing moves.
  EXPECT_EQ(CenteringScroll(95, 100, 90, 10, 17), 0);
  EXPECT_EQ(CenteringScroll(3, 5, 0, 10, 17), 0);
}

TEST(ListDrop, HalvesOfARow) {
  const RowSpan row{34, 51};  // 17 pixel rows, 34 to 50
  // Upper half: in front of this note; the line is the row's top.
  EXPECT_EQ(DropTarget(1, row, 34), 2u);
  EXPECT_EQ(DropTarget(1, row, 42), 2u);
  EXPECT_EQ(InsertionLineTop(row, 42), 34);
  // Lower half: in front of the next note; the line is the last pixel row.
  EXPECT_EQ(DropTarget(1, row, 43), 3u);
  EXPECT_EQ(DropTarget(6, row, 50), 8u);
  EXPECT_EQ(InsertionLineTop(row, 50), 50);
}

TEST(ListDrag, OverARowShowsTheLineAndBesideNothing) {
  CListDrag drag;
  drag.Begin(17);
  EXPECT_TRUE(drag.Dragging());
  CListDrag::Move over = drag.MouseMove(ListHit::Row, {0, 17}, 12);
  EXPECT_TRUE(over.showLine);
  EXPECT_EQ(over.lineTop, 16);
  EXPECT_EQ(over.scrollBy, 0);
  EXPECT_FALSE(over.stopTimer);
  CListDrag::Move beside = drag.MouseMove(ListHit::Beside, {0, 17}, 12);
  EXPECT_FALSE(beside.showLine);
  EXPECT_EQ(beside.startTimerMs, 0u);
  EXPECT_FALSE(drag.End());
  EXPECT_FALSE(drag.Dragging());
}

TEST(ListDrag, BelowScrollsOneRowAtOnceThenSlowThenFast) {
  CListDrag drag;
  drag.Begin(17);
  CListDrag::Move below = drag.MouseMove(ListHit::Below, {}, 0);
  EXPECT_EQ(below.scrollBy, 17);
  EXPECT_EQ(below.startTimerMs, LIST_AUTOSCROLL_SLOW_MS);
  // Staying below does not start the timer again.
  below = drag.MouseMove(ListHit::Below, {}, 0);
  EXPECT_EQ(below.scrollBy, 17);
  EXPECT_EQ(below.startTimerMs, 0u);
  for (int tick = 1; tick <= 8; ++tick) {
    CListDrag::Tick t = drag.TimerTick();
    EXPECT_EQ(t.scrollBy, 17);
    EXPECT_EQ(t.newIntervalMs, 0u) << tick;
  }
  // The ninth tick brings the fast timer, which then keeps going.
  EXPECT_EQ(drag.TimerTick().newIntervalMs, LIST_AUTOSCROLL_FAST_MS);
  CListDrag::Tick fast = drag.TimerTick();
  EXPECT_EQ(fast.scrollBy, 17);
  EXPECT_EQ(fast.newIntervalMs, 0u);
  // Above turns the direction; back over a row stops the timer.
  EXPECT_EQ(drag.MouseMove(ListHit::Above, {}, 0).scrollBy, -17);
  EXPECT_EQ(drag.TimerTick().scrollBy, -17);
  EXPECT_TRUE(drag.MouseMove(ListHit::Row, {0, 17}, 3).stopTimer);
  EXPECT_EQ(drag.TimerTick().scrollBy, 0);
  // A new run starts slow again.
  EXPECT_EQ(drag.MouseMove(ListHit::Above, {}, 0).startTimerMs, LIST_AUTOSCROLL_SLOW_MS);
  for (int tick = 1; tick <= 8; ++tick) EXPECT_EQ(drag.TimerTick().newIntervalMs, 0u);
  EXPECT_TRUE(drag.End());
}
