// Printing the summary list: a title line, the headings underlined and one
// row per note, as many as fit on a page.
#include <algorithm>
#include <ctime>

#include "framework/Frame.h"
#include "framework/Win32Messages.h"
#include "listview/win32/NoteFormView.h"
#include "print/win32/DCTextMeasurer.h"
#include "print/win32/PrintDrawing.h"
#include "res/resource.h"

namespace {

constexpr UINT CELL_FLAGS = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE;

void DrawCell(HDC dc, const std::string& text, int left, int right, int top, int h, UINT format) {
  RECT cell{left, top, right, top + h};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, format | CELL_FLAGS);
}

// Right-aligned headings are padded with blanks for the screen; on paper
// the padding would only push the heading out of its column.
std::string HeadingText(int column) {
  std::string text = LoadResourceString(LIST_COLUMN_TABLE[column].headingId);
  text.erase(0, std::min(text.size(), text.find_first_not_of(' ')));
  return text;
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[128];
  const size_t length = local != nullptr ? std::strftime(text, sizeof text, "%#x", local) : 0;
  return std::string(text, length);
}

}  // namespace

void CNoteFormView::OnFilePrint() {
  if (notes.CommitCurrentNote() == NOTE_NOT_STORED) return;
  CFrameWnd* frame = GetParentFrame();
  PrintView(*this, frame != nullptr ? frame->GetSafeHwnd() : hwnd, LoadResourceString(IDS_LIST_PRINT_TITLE));
}

void CNoteFormView::OnFilePrintPreview() {
  CFrameWnd* frame = GetParentFrame();
  if (frame == nullptr || notes.CommitCurrentNote() == NOTE_NOT_STORED) return;
  inPreview = true;
  if (!frame->StartPrintPreview(*this, *this)) inPreview = false;
}

void CNoteFormView::OnBeginPrinting(HDC dc, CPrintInfo& info) {
  if (info.preview) info.maxPage = 1;
  gridPen.Reset(CreatePen(PS_SOLID, ListGridPenWidth(GetDeviceCaps(dc, LOGPIXELSX)), RGB(0, 0, 0)));
  printDate = TodayText();
  ListColumnValues widths{};
  for (int c = 0; c < LIST_PRINT_COLUMNS; ++c)
    widths[c] = static_cast<int>(SendMessageA(hwnd, LVM_GETCOLUMNWIDTH, c, 0));
  shares = ColumnShares(widths);
  pageStarts.Begin();
  if (!printFont.Valid()) {
    LOGFONTA logFont{};
    HFONT screenFont = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    if (screenFont != nullptr && GetObjectA(screenFont, sizeof logFont, &logFont) != 0)
      printFont.Reset(CreatePrinterFont(logFont, dc));
  }
}

void CNoteFormView::OnPrepareDC(HDC, CPrintInfo& info) {
  // Pages are laid out in order, so a page exists once its start is known.
  info.continuePrinting = info.currentPage <= pageStarts.Count();
}

void CNoteFormView::OnPrint(HDC dc, CPrintInfo& info) {
  CSelectObject font(dc, printFont.Get());
  CSelectObject pen(dc, gridPen.Get());
  SetBkMode(dc, TRANSPARENT);
  const uint32_t page = info.currentPage;
  const std::string title = LoadResourceString(IDS_LIST_PRINT_TITLE);
  const std::string pageText = ListPageNumberText(LoadResourceString(IDS_LIST_PRINT_PAGE), page);
  const PrintRect area{info.drawRect.left, info.drawRect.top, info.drawRect.right, info.drawRect.bottom};
  CDCTextMeasurer measurer(dc);
  const int dpiX = GetDeviceCaps(dc, LOGPIXELSX);
  const ListColumnValues fitted = WidenTextColumns(shares, NeededShares(measurer, area.right - area.left, dpiX / 10));
  const ListPrintPage laidOut = LayoutListPage(measurer, area, dpiX, fitted,
                                               pageStarts.Start(page), store.header.noteCount, title, pageText);
  const ListPageLayout& table = laidOut.table;
  const int h = table.h;
  TextOutA(dc, laidOut.titleX, laidOut.titleY, title.c_str(), static_cast<int>(title.size()));
  TextOutA(dc, laidOut.dateX, laidOut.titleY, printDate.c_str(), static_cast<int>(printDate.size()));
  TextOutA(dc, laidOut.pageX, laidOut.titleY, pageText.c_str(), static_cast<int>(pageText.size()));

  for (int c = 0; c < LIST_PRINT_COLUMNS; ++c) {
    // A heading stands aligned as its column's cells.
    UINT format = DT_LEFT;
    GetCellText(1, c, format);
    DrawCell(dc, HeadingText(c), table.left[c], table.CellRight(c), table.headingY, h, format);
  }
  DrawRule(dc, table.left[0], table.tableRight, table.ruleY);
  for (size_t k = 0; k < table.rowY.size(); ++k) {
    const uint32_t note = pageStarts.Start(page) + static_cast<uint32_t>(k) + 1;
    const int y = table.rowY[k];
    for (int c = 0; c < LIST_PRINT_COLUMNS; ++c) {
      UINT format = DT_LEFT;
      const std::string text = GetCellText(note, c, format);
      if (!text.empty()) DrawCell(dc, text, table.left[c], table.CellRight(c), y, h, format);
    }
    if ((store.Entry(note).flags & REMINDER_ACTIVE) != 0 && markDC.Valid()) {
      StretchBlt(dc, table.symbolX, y, table.symbolWidth, table.symbolHeight, markDC.Get(), MARK_SIZE, 0, MARK_SIZE,
                 MARK_SIZE, SRCAND);
      StretchBlt(dc, table.symbolX, y, table.symbolWidth, table.symbolHeight, markDC.Get(), 0, 0, MARK_SIZE,
                 MARK_SIZE, SRCPAINT);
    }
  }
  pageStarts.PageLaidOut(page, table.next, store.header.noteCount);
  if (info.preview) info.maxPage = pageStarts.PreviewMaxPage(info.maxPage);
}

ListColumnValues CNoteFormView::NeededShares(ITextMeasurer& measurer, int tableWidth, int gap) {
  ListColumnValues needed{};
  if (tableWidth <= 0) return needed;
  const uint32_t count = store.header.noteCount;
  for (int c = 0; c < LIST_PRINT_COLUMNS; ++c) {
    int width = measurer.TextWidth(HeadingText(c));
    // The first and the last note stand for the rest: numbers grow, and
    // dates are all written alike.
    for (uint32_t note : {1u, count}) {
      if (note == 0 || note > count) continue;
      UINT format = DT_LEFT;
      width = std::max(width, measurer.TextWidth(GetCellText(note, c, format)));
    }
    if (c + 1 < LIST_PRINT_COLUMNS) width += gap;
    needed[c] = static_cast<int>((int64_t{width} * 100 + tableWidth - 1) / tableWidth);
  }
  return needed;
}

void CNoteFormView::OnEndPrinting(HDC, CPrintInfo&) {
  pageStarts.Clear();
  printFont.Reset();
  gridPen.Reset();
}
