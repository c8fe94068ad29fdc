// The frame's toolbar and status bar.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "framework/Win32Messages.h"
#include "framework/Frame.h"
#include "framework/FrameworkIds.h"

namespace {

class CToolButtonUI : public CCmdUI {
 public:
  CToolButtonUI(HWND bar, UINT id) : CCmdUI(id), toolbar(bar) {}
  void Enable(bool on) override {
    bool now = SendMessageA(toolbar, TB_ISBUTTONENABLED, id, 0) != 0;
    if (now != on) SendMessageA(toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0));
  }
  void SetCheck(bool on) override {
    bool now = SendMessageA(toolbar, TB_ISBUTTONCHECKED, id, 0) != 0;
    if (now != on) SendMessageA(toolbar, TB_CHECKBUTTON, id, MAKELPARAM(on ? TRUE : FALSE, 0));
  }
  void SetText(const std::string&) override {}

 private:
  HWND toolbar;
};

// The toolbar resource, 16-bit values: version 1, button width and height,
// the number of entries, then the command ids, 0 for a separator.
bool ParseToolbarResource(const BYTE* data, DWORD size, int& width, int& height, std::vector<UINT>& ids) {
  auto word = [data](size_t i) {
    WORD w;
    std::memcpy(&w, data + 2 * i, sizeof(w));
    return w;
  };
  if (size >= 8 && word(0) == 1 && size >= 8 + 2u * word(3)) {
    width = word(1);
    height = word(2);
    for (size_t i = 0; i < word(3); ++i) ids.push_back(word(4 + i));
    return true;
  }
  return false;
}

}  // namespace

CToolBar::~CToolBar() {
  if (frame != nullptr && frame->toolBar == this) frame->toolBar = nullptr;
  if (hwnd != nullptr) DestroyWindow(hwnd);
}

bool CToolBar::CreateEx(CFrameWnd& frame, DWORD toolbarStyle, DWORD style, UINT id) {
  hwnd = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                         style | toolbarStyle | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0, 0, 0,
                         frame.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                         framework::Instance(), nullptr);
  if (hwnd == nullptr) return false;
  SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  frame.toolBar = this;
  this->frame = &frame;
  return true;
}

bool CToolBar::LoadToolBar(UINT resourceId) {
  HINSTANCE instance = framework::Instance();
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(RT_TOOLBAR_TYPE));
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  int width = 0;
  int height = 0;
  std::vector<UINT> ids;
  if (data == nullptr || !ParseToolbarResource(data, SizeofResource(instance, found), width, height, ids)) {
    return false;
  }
  SendMessageA(hwnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(width, height));
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (UINT id : ids) {
    TBBUTTON b{};
    if (id == 0) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = image++;
      b.idCommand = static_cast<int>(id);
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
    }
    buttons.push_back(b);
  }
  TBADDBITMAP bitmap{instance, resourceId};
  if (SendMessageA(hwnd, TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap)) == -1) {
    return false;
  }
  if (!SendMessageA(hwnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()))) {
    return false;
  }
  SendMessageA(hwnd, TB_AUTOSIZE, 0, 0);
  return true;
}

void CToolBar::UpdateButtons(CFrameWnd& frame) {
  if (hwnd == nullptr) return;
  const int count = static_cast<int>(SendMessageA(hwnd, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON b{};
    if (!SendMessageA(hwnd, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b))) continue;
    if ((b.fsStyle & BTNS_SEP) != 0) continue;
    CToolButtonUI ui(hwnd, static_cast<UINT>(b.idCommand));
    frame.RouteUpdate(ui);
  }
}

class CStatusBar::CPaneUI : public CCmdUI {
 public:
  CPaneUI(Pane& p) : CCmdUI(p.id), pane(p) {}
  void Enable(bool on) override { pane.enabled = on; }
  void SetCheck(bool) override {}
  void SetText(const std::string& text) override { pane.text = text; }

 private:
  Pane& pane;
};

CStatusBar::~CStatusBar() {
  if (frame != nullptr && frame->statusBar == this) frame->statusBar = nullptr;
  if (hwnd != nullptr) DestroyWindow(hwnd);
}

bool CStatusBar::Create(CFrameWnd& frame, DWORD style, UINT id) {
  hwnd = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, style | SBARS_SIZEGRIP, 0, 0, 0, 0,
                         frame.GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                         framework::Instance(), nullptr);
  if (hwnd == nullptr) return false;
  frame.statusBar = this;
  this->frame = &frame;
  return true;
}

bool CStatusBar::SetIndicators(const UINT* ids, int count) {
  if (hwnd == nullptr || count <= 0 || count > 255) return false;
  panes.clear();
  CWindowDC dc(hwnd);
  CSelectObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], std::string(), true, 0};
    if (pane.id == ID_SEPARATOR) {
      pane.text = i == 0 ? LoadResourceString(AFX_IDS_IDLEMESSAGE) : std::string();
    } else {
      pane.text = LoadResourceString(pane.id);
      if (pane.text.empty()) ok = false;
      SIZE size{};
      GetTextExtentPoint32A(dc.Get(), pane.text.c_str(), static_cast<int>(pane.text.size()), &size);
      pane.width = size.cx + 2 * GetSystemMetrics(SM_CXEDGE) + 8;
    }
    panes.push_back(pane);
  }
  Resize();
  for (int i = 0; i < count; ++i) ShowPane(i);
  return ok;
}

void CStatusBar::Resize() {
  if (hwnd == nullptr) return;
  SendMessageA(hwnd, WM_SIZE, 0, 0);
  if (panes.empty()) return;
  RECT client;
  GetClientRect(hwnd, &client);
  std::vector<int> edges(panes.size());
  int x = client.right - GetSystemMetrics(SM_CXVSCROLL);
  for (size_t i = panes.size() - 1; i > 0; --i) {
    edges[i] = x;
    x -= panes[i].width;
  }
  edges[0] = x;
  edges.back() = -1;
  SendMessageA(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void CStatusBar::SetPaneText(int index, const std::string& text) {
  if (index < 0 || index >= static_cast<int>(panes.size())) return;
  panes[static_cast<size_t>(index)].text = text;
  ShowPane(index);
}

std::string CStatusBar::GetPaneText(int index) const {
  if (hwnd == nullptr) return std::string();
  LRESULT length = LOWORD(SendMessageA(hwnd, SB_GETTEXTLENGTHA, static_cast<WPARAM>(index), 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(hwnd, SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void CStatusBar::UpdatePanes(CFrameWnd& frame) {
  for (size_t i = 1; i < panes.size(); ++i) {
    if (panes[i].id == 0) continue;
    CPaneUI ui(panes[i]);
    frame.RouteUpdate(ui);
    ShowPane(static_cast<int>(i));
  }
}

void CStatusBar::ShowPane(int index) {
  if (hwnd == nullptr) return;
  const Pane& pane = panes[static_cast<size_t>(index)];
  const std::string shown = pane.enabled ? pane.text : std::string();
  if (GetPaneText(index) != shown) {
    SendMessageA(hwnd, SB_SETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown.c_str()));
  }
}
