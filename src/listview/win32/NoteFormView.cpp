// The summary list: columns, owner-drawn rows, selection, the context menu
// and drag-and-drop reordering.
#include "listview/win32/NoteFormView.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/Win32Messages.h"
#include "framework/Frame.h"
#include "res/resource.h"

namespace {

constexpr int CELL_PADDING = 8;
constexpr int ROW_INDENT = 4;

UINT DrawFormat(ListAlign align) {
  switch (align) {
    case ListAlign::Right: return DT_RIGHT;
    case ListAlign::Center: return DT_CENTER;
    case ListAlign::Left: break;
  }
  return DT_LEFT;
}

int HeaderFormat(ListAlign align) {
  switch (align) {
    case ListAlign::Right: return LVCFMT_RIGHT;
    case ListAlign::Center: return LVCFMT_CENTER;
    case ListAlign::Left: break;
  }
  return LVCFMT_LEFT;
}

int ListStringWidth(const char* text, void* list) {
  return static_cast<int>(SendMessageA(static_cast<HWND>(list), LVM_GETSTRINGWIDTHA, 0,
                                       reinterpret_cast<LPARAM>(text)));
}

}  // namespace

CNoteFormView::CNoteFormView(NoteStore& s, Settings& settingsRef, CNoteDocument& document)
    : store(s),
      settings(settingsRef),
      notes(document),
      textColor(static_cast<COLORREF>(settingsRef.listForegroundColor)),
      backColor(static_cast<COLORREF>(settingsRef.listBackgroundColor)),
      backBrush(CreateSolidBrush(backColor)) {
  LOGFONTA logFont;
  static_assert(sizeof(logFont) == sizeof(settingsRef.listFont), "the setting is a LOGFONTA image");
  std::memcpy(&logFont, &settingsRef.listFont, sizeof(logFont));
  listFont.Reset(CreateFontIndirectA(&logFont));
}

CNoteFormView::~CNoteFormView() {
  // The control goes before the font and brush it uses.
  if (hwnd != nullptr) ::DestroyWindow(hwnd);
  if (markDC.Valid() && markOldBitmap != nullptr) SelectObject(markDC.Get(), markOldBitmap);
}

bool CNoteFormView::PreCreateWindow(CREATESTRUCTA& cs) {
  // Several rows may be selected; the headers are not buttons. The rows are
  // inserted in note order and never sorted: sorting by the number text
  // would put note 10000 in front of note 1001.
  cs.style |= LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER;
  return CListView::PreCreateWindow(cs);
}

HWND CNoteFormView::MainWindow() const {
  CFrameWnd* frame = GetParentFrame();
  return frame != nullptr ? frame->GetSafeHwnd() : GetAncestor(hwnd, GA_ROOT);
}

int CNoteFormView::RowTextHeight() const {
  CWindowDC dc(hwnd);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  if (font == nullptr) font = listFont.Get();
  CSelectObject useFont(dc.Get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading + 2;
}

int CNoteFormView::ColumnDefault(int column, bool forDivider) {
  RECT frame{};
  GetWindowRect(MainWindow(), &frame);
  return DefaultColumnWidth(column, forDivider, frame.right - frame.left, GetSystemMetrics(SM_CXVSCROLL),
                            ListStringWidth, hwnd);
}

void CNoteFormView::OnInitialUpdate() {
  CListView::OnInitialUpdate();
  if (!columnsReady) {
    columnsReady = true;
    if (listFont.Valid()) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.Get()), FALSE);
    for (int i = 0; i < LIST_COLUMNS; ++i) {
      const ListColumn& column = LIST_COLUMN_TABLE[i];
      std::string heading = LoadResourceString(column.headingId);
      if (settings.columnWidth[i] == 0) settings.columnWidth[i] = static_cast<uint32_t>(ColumnDefault(i, false));
      LVCOLUMNA lvc{};
      lvc.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
      lvc.fmt = HeaderFormat(column.headerAlign);
      lvc.cx = static_cast<int>(settings.columnWidth[i]);
      lvc.pszText = heading.data();
      lvc.iSubItem = i;
      SendMessageA(hwnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&lvc));
    }
  }
  SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
}

void CNoteFormView::FillList() {
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
  const uint32_t count = store.header.noteCount;
  SendMessageA(hwnd, LVM_SETITEMCOUNT, count, 0);
  for (uint32_t i = 0; i < count; ++i) {
    char number[16];
    std::snprintf(number, sizeof number, "%4u", i + 1);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = number;
    item.lParam = static_cast<LPARAM>(i);
    SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void CNoteFormView::SelectCurrentItem() {
  if (store.header.noteCount == 0 || store.currentNote < 1 || store.currentNote > store.header.noteCount) return;
  const int item = static_cast<int>(store.currentNote - 1);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
  // Shift with the arrow keys or a click extends from the current note.
  SendMessageA(hwnd, LVM_SETSELECTIONMARK, 0, item);
  SendMessageA(hwnd, LVM_ENSUREVISIBLE, item, FALSE);
}

void CNoteFormView::ClearListSelection() {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  int item = -1;
  while ((item = static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, item, LVNI_SELECTED))) >= 0) {
    SendMessageA(hwnd, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
  }
}

void CNoteFormView::CenterCurrentItem() {
  const uint32_t count = store.header.noteCount;
  if (count == 0 || store.currentNote < 1 || store.currentNote > count) return;
  RECT row{};
  row.left = LVIR_BOUNDS;
  if (!SendMessageA(hwnd, LVM_GETITEMRECT, store.currentNote - 1, reinterpret_cast<LPARAM>(&row))) return;
  // The control scrolls report rows by whole rows, rounding the pixels to
  // the nearest row: the exact height keeps long scrolls on the right row.
  const int top = static_cast<int>(SendMessageA(hwnd, LVM_GETTOPINDEX, 0, 0));
  const int perPage = static_cast<int>(SendMessageA(hwnd, LVM_GETCOUNTPERPAGE, 0, 0));
  const int dy = CenteringScroll(store.currentNote, count, top, perPage, row.bottom - row.top);
  if (dy != 0) SendMessageA(hwnd, LVM_SCROLL, 0, dy);
}

void CNoteFormView::ApplyListColors() {
  const COLORREF background = static_cast<COLORREF>(settings.listBackgroundColor);
  if (background != backColor) {
    backBrush.Reset(CreateSolidBrush(background));
    backColor = background;
  }
  textColor = static_cast<COLORREF>(settings.listForegroundColor);
}

void CNoteFormView::SetListFont(const LogFont& logFont) {
  if (!listFont.Valid()) return;
  LOGFONTA made;
  std::memcpy(&made, &logFont, sizeof(made));
  CFontOwner replacement(CreateFontIndirectA(&made));
  if (!replacement.Valid()) return;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.Get()), TRUE);
  listFont = std::move(replacement);
}

bool CNoteFormView::OnCommand(UINT id) {
  if (id == ID_FILE_PRINT || id == ID_FILE_PRINT_PREVIEW) {
    if (id == ID_FILE_PRINT)
      OnFilePrint();
    else
      OnFilePrintPreview();
    return true;
  }
  if (id != ID_EDIT_SELECT_ALL) return CListView::OnCommand(id);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  // Item -1 is every item. The current note stays current, whatever order
  // the control reports the rows in.
  const uint32_t current = store.currentNote;
  SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  notes.SelectFromList(current);
  return true;
}

bool CNoteFormView::OnUpdateCommand(CCmdUI& ui) {
  if (ui.id == ID_FILE_PRINT || ui.id == ID_FILE_PRINT_PREVIEW) {
    ui.Enable(notes.IsCommandEnabled(ui.id == ID_FILE_PRINT ? DocumentCommand::Print : DocumentCommand::PrintPreview));
    return true;
  }
  if (ui.id != ID_EDIT_SELECT_ALL) return CListView::OnUpdateCommand(ui);
  ui.Enable(store.header.noteCount > 0);
  return true;
}

uint32_t CNoteFormView::SelectedCount() {
  return static_cast<uint32_t>(SendMessageA(hwnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::vector<uint32_t> CNoteFormView::SelectedItems() {
  std::vector<uint32_t> items;
  items.reserve(SelectedCount());
  int item = -1;
  while ((item = static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, item, LVNI_SELECTED))) >= 0) {
    items.push_back(static_cast<uint32_t>(item));
  }
  return items;
}

std::string CNoteFormView::GetCellText(uint32_t note, int column, UINT& textFormat) const {
  textFormat = column >= 0 && column < LIST_COLUMNS ? DrawFormat(LIST_COLUMN_TABLE[column].textAlign) : DT_LEFT;
  return ListCellText(store, note, column);
}

void CNoteFormView::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  if (!markDC.Valid()) {
    markDC.Reset(CreateCompatibleDC(dc));
    markBitmap.Reset(static_cast<HBITMAP>(LoadImageA(framework::Instance(), MAKEINTRESOURCEA(IDB_REMINDER_MARK),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (markBitmap.Valid()) {
      markOldBitmap = SelectObject(markDC.Get(), markBitmap.Get());
    } else {
      // Tried again at the next row.
      markDC.Reset();
    }
  }
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(hwnd, LVM_GETITEMRECT, item.itemID, reinterpret_cast<LPARAM>(&row));

  // Selected rows are drawn inverted.
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const COLORREF fore = selected ? backColor : textColor;
  const COLORREF back = selected ? textColor : backColor;
  {
    CBrushOwner fill(CreateSolidBrush(back));
    FillRect(dc, &row, fill.Get());
  }
  const COLORREF oldText = SetTextColor(dc, fore);
  const COLORREF oldBack = SetBkColor(dc, back);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  CSelectObject useFont(dc, font);

  const uint32_t index = static_cast<uint32_t>(item.itemData);
  const uint32_t note = index + 1;
  int x = row.left + ROW_INDENT;
  LVCOLUMNA column{};
  column.mask = LVCF_FMT | LVCF_WIDTH;
  for (int i = 0; SendMessageA(hwnd, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)); ++i) {
    const int right = x + column.cx - CELL_PADDING;
    if (i == LIST_COLUMN_NUMBER) {
      if (note <= store.header.noteCount && (store.Entry(note).flags & REMINDER_ACTIVE) != 0 && markDC.Valid()) {
        DrawReminderMark(dc, x, row.top);
      }
      x += MARK_SIZE;
    }
    UINT format = DT_LEFT;
    std::string text = GetCellText(note, i, format);
    if (!text.empty() && x < right) {
      RECT cell{x, row.top, right, row.bottom};
      DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell,
                format | DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    }
    x = right + CELL_PADDING;
  }
  if ((item.itemState & ODS_FOCUS) != 0 && GetFocus() == hwnd) DrawFocusRect(dc, &row);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
}

void CNoteFormView::DrawReminderMark(HDC dc, int x, int top) {
  // The mask clears the mark's shape, the symbol (black around it) fills it.
  BitBlt(dc, x, top, MARK_SIZE, MARK_SIZE, markDC.Get(), MARK_SIZE, 0, SRCAND);
  BitBlt(dc, x, top, MARK_SIZE, MARK_SIZE, markDC.Get(), 0, 0, SRCPAINT);
}

LRESULT CNoteFormView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, backBrush.Get());
      return TRUE;
    }
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnHeaderNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_TIMER:
      if (wParam == LIST_AUTOSCROLL_TIMER) {
        OnAutoScrollTimer();
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
      const LRESULT result = CListView::WindowProc(message, wParam, lParam);
      // Moved bits of the header and the first row are not repainted by
      // the control when the toolbar comes or goes or the frame is resized.
      if ((pos.flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) {
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
      }
      return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRow(static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
      break;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drop will never come.
      if (reinterpret_cast<HWND>(lParam) != hwnd && drag.Dragging()) EndDrag();
      break;
    default:
      break;
  }
  return CListView::WindowProc(message, wParam, lParam);
}

bool CNoteFormView::OnHeaderNotify(const NMHDR& header, LRESULT& result) {
  // Only these two carry an NMHEADER; other notifications are smaller.
  const bool changed = header.code == HDN_ITEMCHANGEDA || header.code == HDN_ITEMCHANGEDW;
  const bool dividerClick = header.code == HDN_DIVIDERDBLCLICKA || header.code == HDN_DIVIDERDBLCLICKW;
  if (!changed && !dividerClick) return false;
  if (header.hwndFrom != reinterpret_cast<HWND>(SendMessageA(hwnd, LVM_GETHEADER, 0, 0))) return false;
  const int column = reinterpret_cast<const NMHEADERA&>(header).iItem;
  if (column < 0 || column >= LIST_COLUMNS) return false;
  if (changed) {
    // The control takes the new width first.
    result = CListView::WindowProc(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    settings.columnWidth[column] = static_cast<uint32_t>(SendMessageA(hwnd, LVM_GETCOLUMNWIDTH, column, 0));
    return true;
  }
  const int width = ColumnDefault(column, true);
  settings.columnWidth[column] = static_cast<uint32_t>(width);
  SendMessageA(hwnd, LVM_SETCOLUMNWIDTH, column, width);
  result = TRUE;
  return true;
}

bool CNoteFormView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NOTIFY && OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return true;
  if (message == WM_MEASUREITEM) {
    // A row is at least as tall as the reminder mark, which would
    // otherwise reach into the next row.
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    measure.itemHeight = static_cast<UINT>(std::max(RowTextHeight(), MARK_SIZE));
    result = TRUE;
    return true;
  }
  return CListView::OnChildNotify(message, wParam, lParam, result);
}

namespace {

// The row under the mouse cursor, or -1.
int ItemAtCursor(HWND list) {
  LVHITTESTINFO hit{};
  GetCursorPos(&hit.pt);
  ScreenToClient(list, &hit.pt);
  return static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

}  // namespace

bool CNoteFormView::OnNotify(const NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_ITEMCHANGED:
      OnItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
      return true;
    case LVN_KEYDOWN: {
      const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
      // Through the main window, so that the command's enabling applies.
      if (key.wVKey == VK_DELETE && GetKeyState(VK_MENU) >= 0) {
        SendMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(ID_NOTE_DELETE, 0), 0);
      }
      return true;
    }
    case NM_CLICK:
    case NM_RCLICK:
      // The list is never left without a selection.
      if (ItemAtCursor(hwnd) < 0) SelectCurrentItem();
      return true;
    case NM_DBLCLK:
      OnDoubleClick();
      return true;
    case LVN_DELETEALLITEMS:
      // No LVN_DELETEITEM for each of thousands of rows: nothing is kept per row.
      result = TRUE;
      return true;
    case LVN_BEGINDRAG:
      OnBeginDrag();
      return true;
    default:
      return false;
  }
}

void CNoteFormView::InvalidateRow(int item) {
  RECT row{};
  row.left = LVIR_BOUNDS;
  if (item >= 0 && SendMessageA(hwnd, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&row))) {
    InvalidateRect(hwnd, &row, TRUE);
  }
}

void CNoteFormView::OnItemChanged(const NMLISTVIEW& change) {
  // The control repaints less of a row than its focus rectangle covers.
  if ((change.uChanged & LVIF_STATE) != 0 && ((change.uOldState ^ change.uNewState) & LVIS_FOCUSED) != 0) {
    InvalidateRow(change.iItem);
  }
  if ((change.uChanged & LVIF_STATE) == 0 || (change.uNewState & LVIS_SELECTED) == 0) return;
  if (change.iItem < 0 || static_cast<uint32_t>(change.iItem) >= store.header.noteCount) return;
  // The row selected last is the current note.
  notes.SelectFromList(static_cast<uint32_t>(change.iItem) + 1);
}

void CNoteFormView::OnDoubleClick() {
  // The first click of the double-click made the row current.
  if (ItemAtCursor(hwnd) >= 0) {
    notes.OpenInNoteView();
  } else {
    SelectCurrentItem();
  }
}

bool CNoteFormView::OnContextMenu(int x, int y) {
  HWND owner = MainWindow();
  CMenuOwner menu(LoadMenuA(framework::Instance(), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
  HMENU popup = menu.Valid() ? GetSubMenu(menu.Get(), POPUP_LIST_CONTEXT) : nullptr;
  if (popup == nullptr) return true;
  SetMenuDefaultItem(popup, 0, TRUE);
  // From the keyboard the menu opens at the current row.
  if (x == -1 && y == -1) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    POINT at{0, 0};
    if (store.currentNote >= 1 &&
        SendMessageA(hwnd, LVM_GETITEMRECT, store.currentNote - 1, reinterpret_cast<LPARAM>(&row))) {
      at = {row.left + ROW_INDENT, row.bottom};
    }
    ClientToScreen(hwnd, &at);
    x = at.x;
    y = at.y;
  }
  SetForegroundWindow(owner);
  // The main window owns the menu, so its items show the commands' states.
  const UINT command = static_cast<UINT>(
      TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  if (command != 0) SendMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  // Without it the menu may not close when the user clicks elsewhere.
  PostMessageA(hwnd, WM_NULL, 0, 0);
  return true;
}

void CNoteFormView::OnBeginDrag() {
  if (store.currentNote < 1 || store.currentNote > store.header.noteCount) return;
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(hwnd, LVM_GETITEMRECT, store.currentNote - 1, reinterpret_cast<LPARAM>(&row));
  drag.Begin(row.bottom - row.top);
  markShown = false;
  SetCapture(hwnd);
}

bool CNoteFormView::PreTranslateMessage(MSG& msg) {
  if (!drag.Dragging() || msg.hwnd != hwnd) return false;
  const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.message == WM_MOUSEMOVE) {
    OnDragMouseMove(at);
  } else if (msg.message == WM_LBUTTONUP) {
    OnDrop(at);
  } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    // Escape cancels: nothing moves.
    EndDrag();
    return true;
  }
  // The control sees the mouse as usual.
  return false;
}

namespace {

struct ListHitResult {
  ListHit hit;
  int item;
  RECT row;
};

ListHitResult HitTest(HWND list, POINT at) {
  LVHITTESTINFO info{};
  info.pt = at;
  const int item = static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  ListHitResult result{ListHit::Beside, item, {}};
  if (item >= 0 && (info.flags & LVHT_ONITEM) != 0) {
    result.row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&result.row));
    result.hit = ListHit::Row;
  } else if ((info.flags & LVHT_ABOVE) != 0) {
    result.hit = ListHit::Above;
  } else if ((info.flags & LVHT_BELOW) != 0) {
    result.hit = ListHit::Below;
  }
  return result;
}

}  // namespace

void CNoteFormView::OnDragMouseMove(POINT at) {
  EraseMark();
  const ListHitResult hit = HitTest(hwnd, at);
  const CListDrag::Move move = drag.MouseMove(hit.hit, {hit.row.top, hit.row.bottom}, at.y);
  if (move.stopTimer) KillTimer(hwnd, LIST_AUTOSCROLL_TIMER);
  if (move.scrollBy != 0) SendMessageA(hwnd, LVM_SCROLL, 0, move.scrollBy);
  if (move.startTimerMs != 0) SetTimer(hwnd, LIST_AUTOSCROLL_TIMER, move.startTimerMs, nullptr);
  if (move.showLine) {
    markRect = {hit.row.left, move.lineTop, hit.row.right, move.lineTop + 1};
    CWindowDC dc(hwnd);
    InvertRect(dc.Get(), &markRect);
    markShown = true;
  }
}

void CNoteFormView::OnAutoScrollTimer() {
  const CListDrag::Tick tick = drag.TimerTick();
  if (tick.scrollBy != 0) SendMessageA(hwnd, LVM_SCROLL, 0, tick.scrollBy);
  if (tick.newIntervalMs != 0) SetTimer(hwnd, LIST_AUTOSCROLL_TIMER, tick.newIntervalMs, nullptr);
}

void CNoteFormView::EraseMark() {
  if (!markShown) return;
  CWindowDC dc(hwnd);
  InvertRect(dc.Get(), &markRect);
  markShown = false;
}

void CNoteFormView::EndDrag() {
  const bool wasDragging = drag.Dragging();
  if (drag.End()) KillTimer(hwnd, LIST_AUTOSCROLL_TIMER);
  EraseMark();
  if (wasDragging && GetCapture() == hwnd) ReleaseCapture();
}

void CNoteFormView::OnDrop(POINT at) {
  EndDrag();
  const ListHitResult hit = HitTest(hwnd, at);
  if (hit.hit != ListHit::Row) {
    SelectCurrentItem();
    return;
  }
  const uint32_t target = DropTarget(static_cast<uint32_t>(hit.item), {hit.row.top, hit.row.bottom}, at.y);
  if (target == store.currentNote) return;
  static_cast<void>(notes.MoveNote(store.currentNote, target));
  FillList();
  notes.ShowCurrentNote();
  CenterCurrentItem();
}
