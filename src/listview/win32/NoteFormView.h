#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "document/NoteDocument.h"
#include "framework/Handles.h"
#include "framework/Print.h"
#include "framework/View.h"
#include "listview/ListRules.h"
#include "print/ListLayout.h"
#include "print/PageStarts.h"
#include "settings/Settings.h"
#include "store/NoteStore.h"

// The summary list: one owner-drawn row per note in note order, drawn from
// the store in the list colours and font. The selected row is the current
// note; rows are reordered by dragging. The control itself stores only
// each row's number text, so editing a note needs no list update.
class CNoteFormView : public CListView, public INoteList, public CPrintable {
 public:
  CNoteFormView(NoteStore& store, Settings& settings, CNoteDocument& notes);
  ~CNoteFormView() override;

  void OnInitialUpdate() override;
  void FillList() override;
  void SelectCurrentItem() override;
  void ClearListSelection() override;
  void CenterCurrentItem() override;
  // Takes the list colours of the settings.
  void ApplyListColors();
  // A font the user chose, shown at once.
  void SetListFont(const LogFont& logFont);
  // Ends a drag that is under way: the line goes and the scrolling stops.
  void EndDrag();

  uint32_t SelectedCount() override;
  // Selected items, ascending.
  std::vector<uint32_t> SelectedItems() override;

  // One cell's text and DT_ alignment.
  std::string GetCellText(uint32_t note, int column, UINT& textFormat) const;

  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool PreTranslateMessage(MSG& msg) override;
  // Select All (Ctrl+A) selects every row.
  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

  // Print (57607) in list view: the summary list, once the note is stored.
  void OnFilePrint();
  // Print Preview (57609) in list view.
  void OnFilePrintPreview();
  bool inPreview = false;
  void OnBeginPrinting(HDC dc, CPrintInfo& info) override;
  void OnPrepareDC(HDC dc, CPrintInfo& info) override;
  void OnPrint(HDC dc, CPrintInfo& info) override;
  void OnEndPrinting(HDC dc, CPrintInfo& info) override;
  // Each column's share, in percent of tableWidth, that its widest text needs.
  ListColumnValues NeededShares(ITextMeasurer& measurer, int tableWidth, int gap);
  void OnEndPrintPreview() override { inPreview = false; }

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnContextMenu(int x, int y) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  bool OnNotify(const NMHDR& header, LRESULT& result);
  bool OnHeaderNotify(const NMHDR& header, LRESULT& result);
  void OnItemChanged(const NMLISTVIEW& change);
  void OnDoubleClick();
  void OnBeginDrag();
  void OnDragMouseMove(POINT at);
  void OnDrop(POINT at);
  void OnAutoScrollTimer();
  void EraseMark();
  // Repaints the whole of row `item` (-1: none).
  void InvalidateRow(int item);
  void DrawReminderMark(HDC dc, int x, int top);
  int ColumnDefault(int column, bool forDivider);
  int RowTextHeight() const;
  // The main window, where commands and the open-note message go.
  HWND MainWindow() const;

  NoteStore& store;
  Settings& settings;
  CNoteDocument& notes;
  COLORREF textColor;
  COLORREF backColor;
  CBrushOwner backBrush;
  CFontOwner listFont;
  bool columnsReady = false;
  // The reminder mark: the symbol and its mask side by side, each this wide
  // and high.
  static constexpr int MARK_SIZE = 16;
  // The reminder mark, loaded at the first drawing and kept.
  CCreatedDC markDC;
  CBitmapOwner markBitmap;
  HGDIOBJ markOldBitmap = nullptr;
  // Dragging: the one-pixel line inverted on the screen, and the scrolling.
  CListDrag drag;
  bool markShown = false;
  RECT markRect{};
  UINT_PTR timerId = 0;

  // One printout: where each page begins (a note index), the column shares,
  // the date, the print font and the grid pen.
  CPageStarts pageStarts;
  ListColumnValues shares{};
  std::string printDate;
  CFontOwner printFont;
  CPenOwner gridPen;
};
