// Property pages, property sheets and wizards.
#include "framework/PropertySheet.h"

#include "framework/Window.h"

CPropertyPage::CPropertyPage(UINT id) : CDialog(id, nullptr) {}

CPropertyPage::CPropertyPage(const DLGTEMPLATE* memory) : CDialog(memory, nullptr) {}

PROPSHEETPAGEA CPropertyPage::Header() {
  PROPSHEETPAGEA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSP_DEFAULT | pageFlags;
  header.hInstance = framework::Instance();
  if (memoryTemplate != nullptr) {
    header.dwFlags |= PSP_DLGINDIRECT;
    header.pResource = memoryTemplate;
  } else {
    header.pszTemplate = MAKEINTRESOURCEA(templateId);
  }
  header.pfnDlgProc = StaticPageProc;
  header.lParam = reinterpret_cast<LPARAM>(this);
  return header;
}

bool CPropertyPage::OnSetActive() {
  if (activated) UpdateData(false);
  activated = true;
  return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

LRESULT CPropertyPage::OnWizardBack() { return 0; }

bool CPropertyPage::OnWizardFinish() { return UpdateData(true); }

bool CPropertyPage::OnNotify(const NMHDR&, LRESULT&) { return false; }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

LRESULT CPropertyPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NOTIFY) return CDialog::WindowProc(message, wParam, lParam);
  const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
  LRESULT result = 0;
  switch (header.code) {
    case PSN_SETACTIVE:
      result = OnSetActive() ? 0 : -1;
      break;
    case PSN_KILLACTIVE:
      result = OnKillActive() ? FALSE : TRUE;
      break;
    case PSN_WIZNEXT:
      result = OnWizardNext();
      break;
    case PSN_WIZBACK:
      result = OnWizardBack();
      break;
    case PSN_WIZFINISH:
      if (OnWizardFinish()) {
        if (sheet != nullptr) sheet->result = IDOK;
        result = FALSE;
      } else {
        result = TRUE;
      }
      break;
    case PSN_APPLY:
      if (sheet != nullptr) sheet->result = IDOK;
      result = PSNRET_NOERROR;
      break;
    default:
      if (!OnNotify(header, result)) return FALSE;
      break;
  }
  SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CALLBACK CPropertyPage::StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CPropertyPage*>(FromHandle(window));
  if (self == nullptr && message == WM_INITDIALOG) {
    self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
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

CPropertySheet::CPropertySheet(const std::string& text, HWND owner, UINT start)
    : caption(text), parent(owner), startPage(start) {}

void CPropertySheet::AddPage(CPropertyPage& page) {
  page.sheet = this;
  pages.push_back(&page);
}

void CPropertySheet::SetActivePage(int index) {
  if (hwnd == nullptr) {
    startPage = static_cast<UINT>(index);
  } else {
    PropSheet_SetCurSel(hwnd, nullptr, index);
  }
}

int CPropertySheet::GetActiveIndex() const {
  if (hwnd == nullptr) return static_cast<int>(startPage);
  return static_cast<int>(SendMessageA(hwnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(PropSheet_GetCurrentPageHwnd(hwnd)), 0));
}

bool CPropertySheet::OnInitDialog() { return true; }

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEA> headers;
  DWORD flags = PSH_PROPSHEETPAGE | PSH_MODELESS | sheetFlags;
  for (CPropertyPage* page : pages) {
    page->activated = false;
    headers.push_back(page->Header());
    if ((page->pageFlags & PSP_HASHELP) != 0) flags |= PSH_HASHELP;
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = flags;
  header.hwndParent = parent;
  header.hInstance = framework::Instance();
  header.pszCaption = caption.c_str();
  header.nPages = static_cast<UINT>(headers.size());
  header.nStartPage = startPage < headers.size() ? startPage : 0;
  header.ppsp = headers.data();
  result = IDCANCEL;
  HWND created = reinterpret_cast<HWND>(PropertySheetA(&header));
  if (created == nullptr || created == reinterpret_cast<HWND>(-1)) return -1;
  SubclassWindow(created);
  OnInitDialog();
  if (parent != nullptr) EnableWindow(parent, FALSE);
  // Modal loop: the sheet reports no current page once OK, Cancel or
  // Finish has ended it.
  MSG msg{};
  bool quit = false;
  while (hwnd != nullptr && PropSheet_GetCurrentPageHwnd(hwnd) != nullptr) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    if (framework::PreTranslateChain(msg) || PropSheet_IsDialogMessage(hwnd, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (parent != nullptr) {
    EnableWindow(parent, TRUE);
    SetActiveWindow(parent);
  }
  DestroyWindow();
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
  return result;
}
