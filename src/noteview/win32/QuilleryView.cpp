// The note editor: colours, font, wrapping, change tracking, the context
// menu and the date and time insertions.
#include "noteview/win32/QuilleryView.h"

#include <cstring>
#include <ctime>

#include "framework/Frame.h"
#include "res/resource.h"

namespace {

COLORREF SettingColor(uint32_t value) { return static_cast<COLORREF>(value); }

// Where the caret is on the screen: a menu opened from the keyboard opens there.
POINT CaretScreenPoint(HWND view) {
  POINT at{0, 0};
  GetCaretPos(&at);
  ClientToScreen(view, &at);
  return at;
}

}  // namespace

const CCmdTarget::CommandEntry<CQuilleryView> CQuilleryView::COMMANDS[] = {
    {ID_INSERT_DATE, &CQuilleryView::OnInsertDate, nullptr},
    {ID_INSERT_DATE_TIME, &CQuilleryView::OnInsertDateAndTime, nullptr},
    {ID_INSERT_TIME, &CQuilleryView::OnInsertTime, nullptr},
    {ID_INSERT_WEEKDAY, &CQuilleryView::OnInsertWeekday, nullptr},
    {ID_FILE_PRINT, &CQuilleryView::OnFilePrint, &CQuilleryView::OnUpdatePrint},
    {ID_FILE_PRINT_PREVIEW, &CQuilleryView::OnFilePrintPreview, &CQuilleryView::OnUpdatePrintPreview},
};

std::string FormatCurrentTime(const char* format) {
  std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) return std::string();
  char text[256];
  size_t length = std::strftime(text, sizeof(text), format, local);
  return std::string(text, length);
}

HMENU LoadNoteContextMenu(CMenuOwner& menu) {
  menu.Reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
  HMENU popup = menu.Valid() ? GetSubMenu(menu.Get(), POPUP_NOTE_CONTEXT) : nullptr;
  if (popup == nullptr) return nullptr;
  SetMenuDefaultItem(popup, 0, TRUE);
  return popup;
}

CQuilleryView::CQuilleryView(const Settings& s)
    : settings(s),
      brush(CreateSolidBrush(SettingColor(s.backgroundColor))),
      brushColor(SettingColor(s.backgroundColor)),
      textColor(SettingColor(s.foregroundColor)) {
  LOGFONTA logFont;
  static_assert(sizeof(logFont) == sizeof(s.noteFont), "the setting is a LOGFONTA image");
  std::memcpy(&logFont, &s.noteFont, sizeof(logFont));
  font.Reset(CreateFontIndirectA(&logFont));
  fontCreated = font.Valid();
}

bool CQuilleryView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CEditView::PreCreateWindow(cs)) return false;
  // Long lines wrap at the window's edge.
  cs.style &= ~static_cast<LONG>(WS_HSCROLL | ES_AUTOHSCROLL);
  return true;
}

void CQuilleryView::OnInitialUpdate() {
  CEditView::OnInitialUpdate();
  if (fontCreated) SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

void CQuilleryView::SetNoteFont(const LogFont& logFont) {
  if (!fontCreated) return;
  LOGFONTA made;
  std::memcpy(&made, &logFont, sizeof(made));
  // The control lets go of the old font before it is deleted.
  CFontOwner replacement(CreateFontIndirectA(&made));
  if (!replacement.Valid()) return;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(replacement.Get()), FALSE);
  font = std::move(replacement);
}

void CQuilleryView::LoadCurrentNoteText(const char* text) {
  SetText(text);
  textChanged = false;
}

bool CQuilleryView::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_CTLCOLOREDIT) {
    result = reinterpret_cast<LRESULT>(CtlColor(reinterpret_cast<HDC>(wParam)));
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    textChanged = true;
    if (GetDocument() != nullptr) GetDocument()->SetModifiedFlag();
    result = 0;
    return true;
  }
  return false;
}

HBRUSH CQuilleryView::CtlColor(HDC dc) {
  // Colours changed in the preferences show at the next repaint.
  const COLORREF background = SettingColor(settings.backgroundColor);
  if (brushColor != background || !brush.Valid()) {
    brush.Reset(CreateSolidBrush(background));
    brushColor = background;
  }
  textColor = SettingColor(settings.foregroundColor);
  SetTextColor(dc, textColor);
  SetBkColor(dc, brushColor);
  return brush.Get();
}

bool CQuilleryView::OnCommand(UINT id) {
  return RunFromTable(this, COMMANDS, id) || CEditView::OnCommand(id);
}

bool CQuilleryView::OnUpdateCommand(CCmdUI& ui) {
  return UpdateFromTable(this, COMMANDS, ui) || CEditView::OnUpdateCommand(ui);
}

bool CQuilleryView::OnContextMenu(int x, int y) {
  CFrameWnd* frame = GetParentFrame();
  HWND owner = frame != nullptr ? frame->GetSafeHwnd() : GetAncestor(hwnd, GA_ROOT);
  CMenuOwner menu;
  HMENU popup = LoadNoteContextMenu(menu);
  if (popup == nullptr) return true;
  // From the keyboard the menu opens at the caret.
  if (x == -1 && y == -1) {
    POINT at = CaretScreenPoint(hwnd);
    x = at.x;
    y = at.y;
  }
  SetForegroundWindow(owner);
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  // Without it the menu may not close when the user clicks elsewhere.
  PostMessageA(hwnd, WM_NULL, 0, 0);
  return true;
}

void CQuilleryView::InsertTimeText(const char* format) {
  const std::string text = FormatCurrentTime(format);
  SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void CQuilleryView::OnInsertDate() { InsertTimeText("%x"); }
void CQuilleryView::OnInsertTime() { InsertTimeText("%X"); }
void CQuilleryView::OnInsertDateAndTime() { InsertTimeText("%c"); }
void CQuilleryView::OnInsertWeekday() { InsertTimeText("%A"); }
