// Printing the current note: its stored text in a ruled box with a heading
// and a footer on every page.
#include <cstring>

#include "framework/Frame.h"
#include "framework/Win32Messages.h"
#include "noteview/win32/QuilleryView.h"
#include "print/win32/DCTextMeasurer.h"
#include "print/win32/PrintDrawing.h"
#include "res/resource.h"

void CQuilleryView::OnUpdatePrint(CCmdUI& ui) {
  ui.Enable(notes != nullptr && notes->IsCommandEnabled(DocumentCommand::Print));
}

void CQuilleryView::OnUpdatePrintPreview(CCmdUI& ui) {
  ui.Enable(notes != nullptr && notes->IsCommandEnabled(DocumentCommand::PrintPreview));
}

void CQuilleryView::OnFilePrintPreview() {
  CFrameWnd* frame = GetParentFrame();
  if (notes == nullptr || frame == nullptr || notes->CommitCurrentNote() == NOTE_NOT_STORED) return;
  inPreview = true;
  if (!frame->StartPrintPreview(*this, *this)) inPreview = false;
}

void CQuilleryView::OnFilePrint() {
  if (notes == nullptr || notes->CommitCurrentNote() == NOTE_NOT_STORED) return;
  CFrameWnd* frame = GetParentFrame();
  PrintView(*this, frame != nullptr ? frame->GetSafeHwnd() : hwnd, notes->NoteTitle());
}

void CQuilleryView::OnBeginPrinting(HDC dc, CPrintInfo& info) {
  if (info.preview) info.maxPage = 1;
  framePen.Reset(CreatePen(PS_SOLID, GetDeviceCaps(dc, LOGPIXELSX) / 64 * NOTE_PRINT_GAP, RGB(0, 0, 0)));
  footerText = LoadResourceString(IDS_NOTE_PRINT_FOOTER);
  printText.clear();
  heading.clear();
  if (store != nullptr && notes != nullptr && store->currentNote >= 1 &&
      store->currentNote <= store->header.noteCount) {
    const NoteEntry& entry = store->Entry(store->currentNote);
    printText = store->Text(entry);
    std::optional<std::string> time;
    if ((entry.flags & REMINDER_ACTIVE) != 0) time = ReminderTimeText(entry.reminderTime);
    heading = NoteHeading(notes->NoteTitle(), LoadResourceString(IDS_NOTE_PRINT_REMIND_HEADING), time);
  }
  pageStarts.Begin();
  pageRect = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
  LOGFONTA logFont;
  std::memcpy(&logFont, &settings.noteFont, sizeof logFont);
  printerFont.Reset(CreatePrinterFont(logFont, dc));
}

NotePage CQuilleryView::LayOutPage(HDC dc, uint32_t page) {
  CSelectObject font(dc, printerFont.Get());
  CDCTextMeasurer measurer(dc);
  NotePage laidOut = LayoutNotePage(measurer, pageRect, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                                    printText, pageStarts.Start(page), settings.tabs, heading, footerText);
  pageStarts.PageLaidOut(page, laidOut.text.next, static_cast<uint32_t>(printText.size()));
  return laidOut;
}

void CQuilleryView::OnPrepareDC(HDC dc, CPrintInfo& info) {
  // Pages are found in order: the ones before the requested page first.
  while (pageStarts.Count() < info.currentPage && !pageStarts.Done()) LayOutPage(dc, pageStarts.Count());
  info.continuePrinting = info.currentPage <= pageStarts.Count();
}

void CQuilleryView::OnPrint(HDC dc, CPrintInfo& info) {
  pageRect = {info.drawRect.left, info.drawRect.top, info.drawRect.right, info.drawRect.bottom};
  const NotePage page = LayOutPage(dc, info.currentPage);
  CSelectObject font(dc, printerFont.Get());
  CSelectObject pen(dc, framePen.Get());
  SetBkMode(dc, TRANSPARENT);
  DrawNotePage(dc, page, printText, heading, footerText);
  if (info.preview) info.maxPage = pageStarts.PreviewMaxPage(info.maxPage);
}

void CQuilleryView::OnEndPrinting(HDC, CPrintInfo&) {
  framePen.Reset();
  pageStarts.Clear();
  printerFont.Reset();
}
