#include "framework/PrintPreview.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "framework/Frame.h"
#include "framework/FrameworkIds.h"

namespace {

constexpr const char* PREVIEW_CLASS = "PrintPreviewWnd";
constexpr int BAR_HEIGHT = 30;
constexpr int MARGIN = 12;

struct Button {
  UINT id;
  const char* text;
};
const Button BUTTONS[] = {
    {AFX_ID_PREVIEW_PRINT, "&Print..."}, {AFX_ID_PREVIEW_NEXT, "&Next Page"},
    {AFX_ID_PREVIEW_PREV, "Pre&v Page"}, {AFX_ID_PREVIEW_NUMPAGE, "&Two Page"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_CLOSE, "&Close"},
};
constexpr int BUTTON_WIDTH = 62;
// One step of the arrow keys, the wheel and the scroll bar's arrows.
constexpr int LINE_STEP = 24;


}  // namespace

CPrintPreview::CPrintPreview(CFrameWnd& f, CView& v, CPrintable& p) : frame(f), view(v), printable(p) {}

CPrintPreview::~CPrintPreview() {
  for (HENHMETAFILE image : pages)
    if (image != nullptr) DeleteEnhMetaFile(image);
}

bool CPrintPreview::Start() {
  printer.Reset(CreatePrinterDC(frame.GetSafeHwnd()));
  if (!printer.Valid()) return false;
  if (!RegisterWindowClass(PREVIEW_CLASS, CS_HREDRAW | CS_VREDRAW, nullptr, GetSysColorBrush(COLOR_APPWORKSPACE)))
    return false;
  RECT pane{};
  GetWindowRect(view.GetSafeHwnd(), &pane);
  MapWindowPoints(nullptr, frame.GetSafeHwnd(), reinterpret_cast<POINT*>(&pane), 2);
  if (!CreateEx(0, PREVIEW_CLASS, "", WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL, pane.left, pane.top, pane.right - pane.left,
                pane.bottom - pane.top, frame.GetSafeHwnd(), nullptr))
    return false;
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Button& b : BUTTONS) {
    HWND button = CreateWindowExA(0, "Button", b.text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), framework::Instance(), nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  HWND label = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_ID_PREVIEW_PAGE_TEXT)),
                               framework::Instance(), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  info = CPrintInfo{};
  info.preview = true;
  info.dc = printer.Get();
  printable.OnBeginPrinting(printer.Get(), info);
  running = true;
  // The pane is ours until the preview ends.
  viewId = view.GetDlgCtrlId();
  view.SetDlgCtrlId(AFX_IDW_PANE_FIRST + 255);
  SetDlgCtrlId(AFX_IDW_PANE_FIRST);
  ShowWindow(view.GetSafeHwnd(), SW_HIDE);
  ShowWindow(hwnd, SW_SHOW);
  frame.RecalcLayout();
  Layout();
  GoTo(1);
  SetFocus(hwnd);
  return true;
}

void CPrintPreview::Close() {
  if (!running) return;
  running = false;
  printable.OnEndPrinting(printer.Get(), info);
  SetDlgCtrlId(0);
  view.SetDlgCtrlId(viewId);
  ShowWindow(view.GetSafeHwnd(), SW_SHOW);
  frame.RecalcLayout();
  SetFocus(view.GetSafeHwnd());
  DestroyWindow();
  printer.Reset();
  printable.OnEndPrintPreview();
  frame.OnPrintPreview(false);
}

HENHMETAFILE CPrintPreview::PageImage(UINT number) {
  if (number == 0) return nullptr;
  if (pages.size() < number) pages.resize(number, nullptr);
  if (pages[number - 1] != nullptr) return pages[number - 1];
  // The frame is the whole paper, so a page plays back at the paper's scale
  // rather than stretched to what it happens to draw.
  HDC reference = printer.Get();
  const RECT paper{0, 0, MulDiv(GetDeviceCaps(reference, HORZRES), 2540, GetDeviceCaps(reference, LOGPIXELSX)),
                   MulDiv(GetDeviceCaps(reference, VERTRES), 2540, GetDeviceCaps(reference, LOGPIXELSY))};
  HDC meta = CreateEnhMetaFileA(reference, nullptr, &paper, nullptr);
  if (meta == nullptr) return nullptr;
  info.currentPage = number;
  info.continuePrinting = true;
  printable.OnPrepareDC(printer.Get(), info);
  if (info.continuePrinting) {
    info.drawRect = {0, 0, GetDeviceCaps(printer.Get(), HORZRES), GetDeviceCaps(printer.Get(), VERTRES)};
    printable.OnPrint(meta, info);
  }
  HENHMETAFILE image = CloseEnhMetaFile(meta);
  if (!info.continuePrinting) {
    DeleteEnhMetaFile(image);
    return nullptr;
  }
  pages[number - 1] = image;
  return image;
}

void CPrintPreview::GoTo(UINT number) {
  if (number < 1 || PageImage(number) == nullptr) return;
  page = number;
  if (twoPages) PageImage(page + 1);
  UpdateBar();
  scrollTop = 0;
  UpdateScrollBar();
  InvalidateRect(hwnd, nullptr, TRUE);
}

CPrintPreview::PaperSize CPrintPreview::PaperOnScreen() const {
  RECT client;
  GetClientRect(hwnd, &client);
  const int paperWidth = std::max(1, GetDeviceCaps(printer.Get(), HORZRES));
  const int paperHeight = std::max(1, GetDeviceCaps(printer.Get(), VERTRES));
  const int count = twoPages ? 2 : 1;
  const int spaceWidth = (client.right - 2 * MARGIN - (count - 1) * MARGIN) / count;
  int height = client.bottom - BAR_HEIGHT - 2 * MARGIN;
  // Zoomed, one page fills the width and runs below the window.
  if (zoomed) height = MulDiv(spaceWidth, paperHeight, paperWidth);
  int width = MulDiv(height, paperWidth, paperHeight);
  if (width > spaceWidth) {
    width = spaceWidth;
    height = MulDiv(width, paperHeight, paperWidth);
  }
  return {width, height};
}

void CPrintPreview::UpdateScrollBar() {
  RECT client;
  GetClientRect(hwnd, &client);
  const int visible = std::max(0, static_cast<int>(client.bottom) - BAR_HEIGHT);
  // Only a zoomed page runs below the window; the rest fits it.
  const int content = zoomed ? PaperOnScreen().height + 2 * MARGIN : 0;
  scrollTop = std::clamp(scrollTop, 0, std::max(0, content - visible));
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = content > visible ? content - 1 : 0;
  si.nPage = content > visible ? static_cast<UINT>(visible) : 0;
  si.nPos = scrollTop;
  SetScrollInfo(hwnd, SB_VERT, &si, TRUE);
}

void CPrintPreview::ScrollTo(int top) {
  const int before = scrollTop;
  scrollTop = top;
  UpdateScrollBar();
  if (scrollTop != before) InvalidateRect(hwnd, nullptr, TRUE);
}

void CPrintPreview::OnVScroll(WORD request) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd, SB_VERT, &si);
  const int pageStep = std::max(LINE_STEP, static_cast<int>(si.nPage) - LINE_STEP);
  switch (request) {
    case SB_LINEUP: ScrollTo(scrollTop - LINE_STEP); break;
    case SB_LINEDOWN: ScrollTo(scrollTop + LINE_STEP); break;
    case SB_PAGEUP: ScrollTo(scrollTop - pageStep); break;
    case SB_PAGEDOWN: ScrollTo(scrollTop + pageStep); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(si.nMax); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
    default: break;
  }
}

void CPrintPreview::UpdateBar() {
  const bool second = twoPages && page + 1 <= pages.size() && pages[page] != nullptr;
  const std::string text = second ? "Pages " + std::to_string(page) + "-" + std::to_string(page + 1)
                                  : "Page " + std::to_string(page);
  SetWindowTextA(GetDlgItem(hwnd, AFX_ID_PREVIEW_PAGE_TEXT), text.c_str());
  // The view raises the highest page as it finds more of them.
  const UINT shown = second ? page + 1 : page;
  EnableWindow(GetDlgItem(hwnd, AFX_ID_PREVIEW_NEXT), shown < info.maxPage);
  EnableWindow(GetDlgItem(hwnd, AFX_ID_PREVIEW_PREV), page > 1);
  SetWindowTextA(GetDlgItem(hwnd, AFX_ID_PREVIEW_NUMPAGE), twoPages ? "&One Page" : "&Two Page");
  SetWindowTextA(GetDlgItem(hwnd, AFX_ID_PREVIEW_ZOOMIN), zoomed ? "Zoom &Out" : "Zoom &In");
}

void CPrintPreview::Layout() {
  int x = 4;
  for (const Button& b : BUTTONS) {
    SetWindowPos(GetDlgItem(hwnd, b.id), nullptr, x, 3, BUTTON_WIDTH, BAR_HEIGHT - 6, SWP_NOZORDER);
    x += BUTTON_WIDTH + 4;
  }
  SetWindowPos(GetDlgItem(hwnd, AFX_ID_PREVIEW_PAGE_TEXT), nullptr, x + 8, 8, 120, BAR_HEIGHT - 12, SWP_NOZORDER);
}

void CPrintPreview::OnButton(UINT id) {
  switch (id) {
    case AFX_ID_PREVIEW_NEXT:
      if (page < info.maxPage) GoTo(page + 1);
      break;
    case AFX_ID_PREVIEW_PREV:
      GoTo(page - 1);
      break;
    case AFX_ID_PREVIEW_NUMPAGE:
      twoPages = !twoPages;
      GoTo(page);
      break;
    case AFX_ID_PREVIEW_ZOOMIN:
      zoomed = !zoomed;
      GoTo(page);
      break;
    case AFX_ID_PREVIEW_PRINT: {
      HWND main = frame.GetSafeHwnd();
      Close();
      PostMessageA(main, WM_COMMAND, ID_FILE_PRINT, 0);
      break;
    }
    case AFX_ID_PREVIEW_CLOSE:
      Close();
      break;
    default:
      break;
  }
}

void CPrintPreview::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int count = twoPages ? 2 : 1;
  const auto [width, height] = PaperOnScreen();
  if (width <= 0 || height <= 0) return;
  // A page scrolled up passes under the bar, not over it.
  IntersectClipRect(dc, 0, BAR_HEIGHT, client.right, client.bottom);
  const int top = BAR_HEIGHT + MARGIN - scrollTop;
  int x = (client.right - count * width - (count - 1) * MARGIN) / 2;
  for (int i = 0; i < count; ++i) {
    HENHMETAFILE image = page + i <= pages.size() ? pages[page + i - 1] : nullptr;
    if (image == nullptr) break;
    RECT paper{x, top, x + width, top + height};
    FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    PlayEnhMetaFile(dc, image, &paper);
    x += width + MARGIN;
  }
}

bool CPrintPreview::OnMnemonic(char key) {
  const auto upper = [](char c) { return std::toupper(static_cast<unsigned char>(c)); };
  for (const Button& b : BUTTONS) {
    HWND button = GetDlgItem(hwnd, b.id);
    char text[32] = {};
    GetWindowTextA(button, text, sizeof text);
    const char* amp = std::strchr(text, '&');
    if (amp == nullptr || upper(amp[1]) != upper(key)) continue;
    // A greyed button leaves the letter to the menu bar.
    if (!IsWindowEnabled(button)) return false;
    OnButton(b.id);
    return true;
  }
  return false;
}

bool CPrintPreview::PreTranslateMessage(MSG& msg) {
  // The bar's underlined letters come before the menu bar's, as in a dialog.
  if (msg.message == WM_SYSCHAR) return OnMnemonic(static_cast<char>(msg.wParam));
  if (msg.message != WM_KEYDOWN) return false;
  switch (msg.wParam) {
    case VK_NEXT:
      OnButton(AFX_ID_PREVIEW_NEXT);
      return true;
    case VK_PRIOR:
      OnButton(AFX_ID_PREVIEW_PREV);
      return true;
    case VK_ESCAPE:
      OnButton(AFX_ID_PREVIEW_CLOSE);
      return true;
    case VK_UP:
      OnVScroll(SB_LINEUP);
      return true;
    case VK_DOWN:
      OnVScroll(SB_LINEDOWN);
      return true;
    case VK_HOME:
      OnVScroll(SB_TOP);
      return true;
    case VK_END:
      OnVScroll(SB_BOTTOM);
      return true;
    default:
      return false;
  }
}

LRESULT CPrintPreview::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnButton(LOWORD(wParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_SIZE:
      Layout();
      UpdateScrollBar();
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      ScrollTo(scrollTop - GET_WHEEL_DELTA_WPARAM(wParam) * 3 * LINE_STEP / WHEEL_DELTA);
      return 0;
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}
