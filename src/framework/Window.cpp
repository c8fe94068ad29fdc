// Window binding, creation and the window procedure of every CWnd.
#include "framework/Window.h"

#include "framework/Handles.h"
#include "framework/Win32Messages.h"

namespace {
constexpr const char* OBJECT_PROPERTY = "Quillery.Object";

// The object whose window CreateEx is making on this thread, until
// SubclassAtCreation has seen that window.
thread_local CWnd* windowBeingCreated = nullptr;

using CHookOwner = CUniqueHandle<HHOOK, UnhookWindowsHookEx>;
}

namespace framework {

void BindObject(HWND window, CWnd* object) { SetPropA(window, OBJECT_PROPERTY, object); }
void UnbindObject(HWND window) { RemovePropA(window, OBJECT_PROPERTY); }

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

bool PreTranslateChain(MSG& msg) {
  for (HWND window = msg.hwnd; window != nullptr; window = GetParent(window)) {
    CWnd* object = CWnd::FromHandle(window);
    if (object != nullptr && object->PreTranslateMessage(msg)) return true;
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) == 0) break;
  }
  return false;
}

std::string CommandPrompt(UINT id) {
  std::string text = LoadResourceString(id);
  return text.substr(0, text.find('\n'));
}

std::string CommandTooltip(UINT id) {
  std::string text = LoadResourceString(id);
  size_t at = text.find('\n');
  return at == std::string::npos ? std::string() : text.substr(at + 1);
}

}  // namespace framework

bool CCmdTarget::OnCommand(UINT) { return false; }
bool CCmdTarget::OnUpdateCommand(CCmdUI&) { return false; }

CWnd::~CWnd() {
  // A window that outlives its object goes with it. Its last messages reach
  // only CWnd::WindowProc (the derived parts are gone), which hands them to
  // the class's own procedure, so a control still frees its data.
  if (hwnd != nullptr) ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandle(HWND window) {
  return window == nullptr ? nullptr : static_cast<CWnd*>(GetPropA(window, OBJECT_PROPERTY));
}

bool CWnd::PreTranslateMessage(MSG&) { return false; }

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CWnd::DestroyWindow() { return hwnd != nullptr && ::DestroyWindow(hwnd) != FALSE; }

void CWnd::SetDlgCtrlId(int id) { SetWindowLongPtrA(hwnd, GWLP_ID, id); }

int CWnd::GetDlgCtrlId() const { return GetDlgCtrlID(hwnd); }

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menuOrId) {
  CREATESTRUCTA cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = title;
  cs.style = static_cast<LONG>(style);
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = menuOrId;
  cs.hInstance = framework::Instance();
  if (!PreCreateWindow(cs)) return false;
  CHookOwner hook(SetWindowsHookExA(WH_CBT, SubclassAtCreation, nullptr, GetCurrentThreadId()));
  if (!hook.Valid()) return false;
  windowBeingCreated = this;
  HWND created = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                 cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
  windowBeingCreated = nullptr;
  return created != nullptr;
}

bool CWnd::PreCreateWindow(CREATESTRUCTA&) { return true; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(baseProc, hwnd, message, wParam, lParam);
}

bool CWnd::RegisterWindowClass(const char* className, UINT style, HICON icon, HBRUSH background) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExA(framework::Instance(), className, &wc)) return true;
  wc.style = style;
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = framework::Instance();
  wc.hIcon = icon;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  return RegisterClassExA(&wc) != 0;
}

void CWnd::SubclassWindow(HWND window) {
  Bind(window);
  baseProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWindowProc)));
}

void CWnd::Bind(HWND window) {
  hwnd = window;
  framework::BindObject(window, this);
}

void CWnd::Unbind() {
  framework::UnbindObject(hwnd);
  // A subclassed window gets its own procedure back, unless someone else
  // has since put theirs in front of ours.
  if (baseProc != DefWindowProcA &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == StaticWindowProc) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc));
  }
  baseProc = DefWindowProcA;
  hwnd = nullptr;
}

LRESULT CALLBACK CWnd::SubclassAtCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && windowBeingCreated != nullptr) {
    const CREATESTRUCTA& cs = *reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    // Windows the control makes for itself (a list's header) pass here too.
    if (cs.lpCreateParams == windowBeingCreated) {
      CWnd* self = windowBeingCreated;
      windowBeingCreated = nullptr;
      HWND window = reinterpret_cast<HWND>(wParam);
      // A class of ours binds at WM_NCCREATE by itself.
      if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) != StaticWindowProc) {
        self->SubclassWindow(window);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandle(window);
  if (self == nullptr && message == WM_NCCREATE) {
    self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (self != nullptr) self->Bind(window);
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->WindowProc(message, wParam, lParam);
  } catch (...) {
    // Out of memory in a handler: the message is dropped, not handed to a
    // default handling that might do what the handler was replacing.
    result = 0;
  }
  if (message == WM_NCDESTROY) self->Unbind();
  return result;
}
