// Dialogs and dialog data exchange.
#include "framework/Dialog.h"

#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/App.h"
#include "framework/FrameworkIds.h"

namespace {

std::string ControlText(HWND control) {
  int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

// A decimal number with optional blanks around it; `allowSign` admits a
// leading '-' or '+'. Out-of-range numbers are refused like words.
bool ParseNumber(const std::string& text, bool allowSign, long long minimum, long long maximum,
                 long long& value) {
  size_t begin = text.find_first_not_of(" \t");
  size_t end = text.find_last_not_of(" \t");
  if (begin == std::string::npos) return false;
  std::string number = text.substr(begin, end - begin + 1);
  size_t digits = 0;
  if (allowSign && (number[0] == '-' || number[0] == '+')) digits = 1;
  if (digits >= number.size()) return false;
  for (size_t i = digits; i < number.size(); ++i) {
    if (number[i] < '0' || number[i] > '9') return false;
  }
  errno = 0;
  long long parsed = std::strtoll(number.c_str(), nullptr, 10);
  if (errno == ERANGE || parsed < minimum || parsed > maximum) return false;
  value = parsed;
  return true;
}

// While a modal dialog runs its own loop, its messages still pass the
// bound objects' PreTranslateMessage.
LRESULT CALLBACK DialogMessageFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == MSGF_DIALOGBOX && framework::PreTranslateChain(*reinterpret_cast<MSG*>(lParam))) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class CMessageFilterHook {
 public:
  CMessageFilterHook()
      : hook(SetWindowsHookExA(WH_MSGFILTER, DialogMessageFilter, nullptr, GetCurrentThreadId())) {}
  ~CMessageFilterHook() {
    if (hook != nullptr) UnhookWindowsHookEx(hook);
  }
  CMessageFilterHook(const CMessageFilterHook&) = delete;
  CMessageFilterHook& operator=(const CMessageFilterHook&) = delete;

 private:
  HHOOK hook;
};

}  // namespace

CDataExchange::CDataExchange(HWND dialogWindow, bool saveAndValidate, IMessages& boxes)
    : dialog(dialogWindow), saving(saveAndValidate), messages(boxes) {}

HWND CDataExchange::PrepareControl(int id) {
  lastControl = GetDlgItem(dialog, id);
  lastIsEdit = false;
  return lastControl;
}

HWND CDataExchange::PrepareEditControl(int id) {
  PrepareControl(id);
  lastIsEdit = true;
  return lastControl;
}

void CDataExchange::Fail(uint32_t messageId, const std::string& first, const std::string& second) {
  failed = true;
  std::string text = messages.LoadText(messageId);
  ReplacePlaceholder(text, "%1", first);
  ReplacePlaceholder(text, "%2", second);
  messages.Show(text, MessageButtons::Ok, MessageIcon::Exclamation);
  if (lastControl == nullptr) return;
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(lastControl), TRUE);
  if (lastIsEdit) SendMessageA(lastControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareEditControl(id);
  if (dx.saving) {
    value = ControlText(control);
  } else {
    SetWindowTextA(control, value.c_str());
  }
}

void DDX_Text(CDataExchange& dx, int id, int& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareEditControl(id);
  if (!dx.saving) {
    SetWindowTextA(control, std::to_string(value).c_str());
    return;
  }
  long long parsed = 0;
  if (!ParseNumber(ControlText(control), true, INT_MIN, INT_MAX, parsed)) {
    dx.Fail(AFX_IDP_PARSE_INT);
    return;
  }
  value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange& dx, int id, unsigned& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareEditControl(id);
  if (!dx.saving) {
    SetWindowTextA(control, std::to_string(value).c_str());
    return;
  }
  long long parsed = 0;
  if (!ParseNumber(ControlText(control), false, 0, UINT_MAX, parsed)) {
    dx.Fail(AFX_IDP_PARSE_UINT);
    return;
  }
  value = static_cast<unsigned>(parsed);
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareControl(id);
  if (dx.saving) {
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  } else {
    SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  }
}

void DDX_Check(CDataExchange& dx, int id, unsigned& value) {
  int checked = static_cast<int>(value);
  DDX_Check(dx, id, checked);
  value = static_cast<unsigned>(checked);
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareControl(firstId);
  if (dx.saving) value = -1;
  int index = 0;
  // The group runs from its first button to the next control that starts
  // a group of its own.
  do {
    if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0) {
      if (dx.saving) {
        if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = GetWindow(control, GW_HWNDNEXT);
  } while (control != nullptr && (GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) == 0);
}

void DDX_Radio(CDataExchange& dx, int firstId, unsigned& value) {
  int index = static_cast<int>(value);
  DDX_Radio(dx, firstId, index);
  value = static_cast<unsigned>(index);
}

void DDX_CBIndex(CDataExchange& dx, int id, int& index) {
  if (dx.failed) return;
  HWND control = dx.PrepareControl(id);
  if (dx.saving) {
    index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
  } else {
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void DDX_DateTimeCtrl(CDataExchange& dx, int id, std::time_t& value) {
  if (dx.failed) return;
  HWND control = dx.PrepareControl(id);
  SYSTEMTIME st{};
  if (dx.saving) {
    if (SendMessageA(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return;
    std::tm local{};
    local.tm_year = st.wYear - 1900;
    local.tm_mon = st.wMonth - 1;
    local.tm_mday = st.wDay;
    local.tm_hour = st.wHour;
    local.tm_min = st.wMinute;
    local.tm_sec = st.wSecond;
    local.tm_isdst = -1;
    std::time_t t = std::mktime(&local);
    if (t != static_cast<std::time_t>(-1)) value = t;
    return;
  }
  const std::tm* local = std::localtime(&value);
  if (local == nullptr) return;
  st.wYear = static_cast<WORD>(local->tm_year + 1900);
  st.wMonth = static_cast<WORD>(local->tm_mon + 1);
  st.wDay = static_cast<WORD>(local->tm_mday);
  st.wDayOfWeek = static_cast<WORD>(local->tm_wday);
  st.wHour = static_cast<WORD>(local->tm_hour);
  st.wMinute = static_cast<WORD>(local->tm_min);
  st.wSecond = static_cast<WORD>(local->tm_sec);
  SendMessageA(control, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

void DDV_MinMaxInt(CDataExchange& dx, int value, int minimum, int maximum) {
  if (!dx.saving || dx.failed) return;
  if (value < minimum || value > maximum) {
    dx.Fail(AFX_IDP_PARSE_INT_RANGE, std::to_string(minimum), std::to_string(maximum));
  }
}

void DDV_MinMaxUInt(CDataExchange& dx, unsigned value, unsigned minimum, unsigned maximum) {
  if (!dx.saving || dx.failed) return;
  if (value < minimum || value > maximum) {
    dx.Fail(AFX_IDP_PARSE_INT_RANGE, std::to_string(minimum), std::to_string(maximum));
  }
}

void DDV_MaxChars(CDataExchange& dx, int maximum) {
  if (dx.saving || dx.failed) return;
  SendMessageA(dx.LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(maximum), 0);
}

CDialog::CDialog(UINT id, HWND owner) : templateId(id), memoryTemplate(nullptr), parent(owner) {}

CDialog::CDialog(const DLGTEMPLATE* memory, HWND owner) : templateId(0), memoryTemplate(memory), parent(owner) {}

HWND CDialog::Parent() const {
  if (parent != nullptr) return parent;
  CWinApp* app = CWinApp::Get();
  return app != nullptr && app->GetMainWnd() != nullptr ? app->GetMainWnd()->GetSafeHwnd() : nullptr;
}

namespace {
// Dialogs run on the user-interface thread only.
int modalLoops = 0;
}  // namespace

bool CDialog::ModalLoopRunning() { return modalLoops > 0; }

INT_PTR CDialog::DoModal() {
  CMessageFilterHook filter;
  struct LoopCount {
    LoopCount() { ++modalLoops; }
    ~LoopCount() { --modalLoops; }
  } counted;
  LPARAM self = reinterpret_cast<LPARAM>(this);
  ended = false;
  const INT_PTR result =
      memoryTemplate != nullptr
          ? DialogBoxIndirectParamA(framework::Instance(), memoryTemplate, Parent(), StaticDialogProc, self)
          : DialogBoxParamA(framework::Instance(), MAKEINTRESOURCEA(templateId), Parent(), StaticDialogProc, self);
  // A quit ends the loop with whatever result the system picks; nothing the
  // user did not confirm may be applied.
  if (result != -1 && !ended) return IDCANCEL;
  return result;
}

bool CDialog::Create() {
  modeless = true;
  LPARAM self = reinterpret_cast<LPARAM>(this);
  HWND created =
      memoryTemplate != nullptr
          ? CreateDialogIndirectParamA(framework::Instance(), memoryTemplate, Parent(), StaticDialogProc, self)
          : CreateDialogParamA(framework::Instance(), MAKEINTRESOURCEA(templateId), Parent(), StaticDialogProc,
                               self);
  return created != nullptr;
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CWinApp* app = CWinApp::Get();
  CWin32Messages fallback;
  CDataExchange dx(hwnd, saveAndValidate, app != nullptr ? app->Messages() : fallback);
  DoDataExchange(dx);
  return !dx.failed;
}

void CDialog::EndDialog(INT_PTR result) {
  if (modeless) {
    DestroyWindow();
  } else {
    ended = true;
    ::EndDialog(hwnd, result);
  }
}

bool CDialog::PreTranslateMessage(MSG& msg) { return modeless && IsDialogMessageA(hwnd, &msg) != FALSE; }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(wParam, lParam) ? TRUE : FALSE;
    default:
      return FALSE;
  }
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CDialog*>(FromHandle(window));
  if (self == nullptr && message == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->Bind(window);
  }
  if (self == nullptr) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->WindowProc(message, wParam, lParam);
  } catch (...) {
    result = FALSE;
  }
  if (message == WM_NCDESTROY) self->Unbind();
  return result;
}
