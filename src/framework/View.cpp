// The document, the view base and the edit and list views.
#include "framework/View.h"

#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/Frame.h"
#include "framework/FrameworkIds.h"

void CDocument::AddView(CView* view) {
  if (std::find(views.begin(), views.end(), view) == views.end()) views.push_back(view);
  view->document = this;
}

void CDocument::RemoveView(CView* view) {
  views.erase(std::remove(views.begin(), views.end(), view), views.end());
  if (view->document == this) view->document = nullptr;
}

void CDocument::SetTitle(const std::string& text) {
  title = text;
  for (CView* view : views) {
    if (view->GetParentFrame() != nullptr) view->GetParentFrame()->UpdateFrameTitle();
  }
}

bool CDocument::OnNewDocument() {
  modified = false;
  return true;
}

void CDocument::OnCloseDocument() {
  // Destroying the frame removes the views from this document.
  std::vector<CView*> shown = views;
  for (CView* view : shown) {
    CFrameWnd* frame = view->GetParentFrame();
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
  }
}

bool CDocument::SaveModified() { return true; }

CView::~CView() {
  if (document != nullptr) document->RemoveView(this);
  if (frame != nullptr && frame->GetActiveView() == this) frame->SetActiveView(nullptr);
}

bool CView::Create(CFrameWnd& parent, UINT id, DWORD style) {
  frame = &parent;
  return CreateEx(0, WindowClass(), "", style, 0, 0, 0, 0, parent.GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CView::OnInitialUpdate() {}

bool CView::PreCreateWindow(CREATESTRUCTA& cs) {
  // A view's border is the sunken client edge.
  if ((cs.style & WS_BORDER) != 0) {
    cs.style &= ~WS_BORDER;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
  }
  return true;
}

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CONTEXTMENU:
      if (OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) return 0;
      break;
    case WM_DESTROY:
      if (document != nullptr) document->RemoveView(this);
      break;
    default:
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

bool CView::OnContextMenu(int, int) { return false; }

const CCmdTarget::CommandEntry<CEditView> CEditView::COMMANDS[] = {
    {ID_EDIT_UNDO, &CEditView::OnUndo, &CEditView::OnUpdateUndo},
    {ID_EDIT_CUT, &CEditView::OnCut, &CEditView::OnUpdateNeedSelection},
    {ID_EDIT_COPY, &CEditView::OnCopy, &CEditView::OnUpdateNeedSelection},
    {ID_EDIT_PASTE, &CEditView::OnPaste, &CEditView::OnUpdatePaste},
    {ID_EDIT_SELECT_ALL, &CEditView::OnSelectAll, &CEditView::OnUpdateSelectAll},
};

const char* CEditView::WindowClass() { return "Edit"; }

bool CEditView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL;
  return CView::PreCreateWindow(cs);
}

LRESULT CEditView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    LRESULT result = CView::WindowProc(message, wParam, lParam);
    // The largest text the control can hold, so that a long note can be
    // seen and cut down instead of being refused while typing.
    SendMessageA(hwnd, EM_SETLIMITTEXT, 0, 0);
    return result;
  }
  return CView::WindowProc(message, wParam, lParam);
}

std::string CEditView::GetText() const {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

int CEditView::TextLength() const { return GetWindowTextLengthA(hwnd); }

void CEditView::SetText(const std::string& text) { SetWindowTextA(hwnd, text.c_str()); }

void CEditView::SetTabStops(int dialogUnits) {
  SendMessageA(hwnd, EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&dialogUnits));
  InvalidateRect(hwnd, nullptr, TRUE);
}

bool CEditView::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CEditView::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CEditView::OnUndo() { SendMessageA(hwnd, EM_UNDO, 0, 0); }
void CEditView::OnCut() { SendMessageA(hwnd, WM_CUT, 0, 0); }
void CEditView::OnCopy() { SendMessageA(hwnd, WM_COPY, 0, 0); }
void CEditView::OnPaste() { SendMessageA(hwnd, WM_PASTE, 0, 0); }
void CEditView::OnSelectAll() { SendMessageA(hwnd, EM_SETSEL, 0, -1); }

void CEditView::OnUpdateUndo(CCmdUI& ui) { ui.Enable(SendMessageA(hwnd, EM_CANUNDO, 0, 0) != 0); }

void CEditView::OnUpdateNeedSelection(CCmdUI& ui) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  ui.Enable(start != end);
}

void CEditView::OnUpdatePaste(CCmdUI& ui) { ui.Enable(IsClipboardFormatAvailable(CF_TEXT) != FALSE); }

void CEditView::OnUpdateSelectAll(CCmdUI& ui) { ui.Enable(TextLength() != 0); }

const char* CListView::WindowClass() { return WC_LISTVIEWA; }

bool CListView::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
  if (message != WM_DRAWITEM) return false;
  DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
  result = TRUE;
  return true;
}
