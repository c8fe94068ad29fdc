#include "update/win32/UpgradeDialogs.h"

#include <commctrl.h>

#include "res/WindowMessages.h"
#include "res/resource.h"
#include "update/Upgrade.h"

CCheckVersionDlg::CCheckVersionDlg(HWND parent, CWorkerThread& w, VersionRequest r, IMessages& m)
    : CHelpDialog(IDD_CHECK_VERSION, parent), worker(w), request(std::move(r)), messages(m) {}

bool CCheckVersionDlg::OnInitDialog() {
  CHelpDialog::OnInitDialog();
  // Without a worker no answer would ever come.
  if (!worker.RequestVersionCheck(hwnd, request)) PostMessageA(hwnd, WM_APP_VERSION_RESULT, 0, 0);
  return true;
}

LRESULT CCheckVersionDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP_VERSION_RESULT) {
    OnVersionResult(wParam == 1, static_cast<uint32_t>(lParam));
    return TRUE;
  }
  return CHelpDialog::WindowProc(message, wParam, lParam);
}

bool CCheckVersionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_CHECK_DOWNLOAD) {
    OnOK();
    return true;
  }
  return CHelpDialog::OnCommand(wParam, lParam);
}

void CCheckVersionDlg::OnVersionResult(bool ok, uint32_t error) {
  SetDlgItemTextA(hwnd, IDCANCEL, messages.LoadText(IDS_CLOSE).c_str());
  if (ok) {
    info = worker.LastVersionInfo();
    upgradeUrl.clear();
    upgradeDesc.clear();
  }
  const std::string text = CheckResultText(messages, ok, error, info);
  if (ok && (info.flags & VF_UPGRADE)) {
    upgradeUrl = info.upgradeUrl;
    upgradeDesc = info.upgradeDesc;
    HWND download = GetDlgItem(hwnd, IDC_CHECK_DOWNLOAD);
    EnableWindow(download, TRUE);
    SendMessageA(hwnd, DM_SETDEFID, IDOK, 0);
    SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(download), TRUE);
  }
  SetDlgItemTextA(hwnd, IDC_CHECK_TEXT, text.c_str());
  MessageBeep(MB_ICONASTERISK);
}

CDownloadDlg::CDownloadDlg(HWND parent, const std::string& desc, uint32_t size,
                           std::shared_ptr<CDownloadControl> c, std::function<bool()> s, IMessages& m)
    : CHelpDialog(IDD_DOWNLOAD, parent),
      description(desc),
      announcedSize(size),
      control(std::move(c)),
      start(std::move(s)),
      messages(m) {}

bool CDownloadDlg::OnInitDialog() {
  CHelpDialog::OnInitDialog();
  SetDlgItemTextA(hwnd, IDC_DOWNLOAD_TEXT, (messages.LoadText(IDS_DOWNLOADING) + description).c_str());
  HWND bar = GetDlgItem(hwnd, IDC_DOWNLOAD_PROGRESS);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  if (announcedSize == 0) {
    // Without a size there is no share to show, only that bytes arrive.
    SetWindowLongPtrA(bar, GWL_STYLE, GetWindowLongPtrA(bar, GWL_STYLE) | PBS_MARQUEE);
    SendMessageA(bar, PBM_SETMARQUEE, TRUE, 0);
  }
  control->window = hwnd;
  if (!start()) OnProgress(1, DL_ERR_WRITE);
  return true;
}

LRESULT CDownloadDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP_DOWNLOAD_PROGRESS) {
    OnProgress(wParam, lParam);
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
    return TRUE;
  }
  // The thread's messages to a closed dialog go nowhere.
  if (message == WM_DESTROY) control->window = nullptr;
  return CHelpDialog::WindowProc(message, wParam, lParam);
}

void CDownloadDlg::OnOK() {
  // Enter reaches the disabled "Close" too.
  if (complete) EndDialog(IDOK);
}

void CDownloadDlg::OnProgress(WPARAM finished, LPARAM value) {
  HWND bar = GetDlgItem(hwnd, IDC_DOWNLOAD_PROGRESS);
  if (finished == 1) {
    if (value == DL_OK) {
      complete = true;
      EnableWindow(GetDlgItem(hwnd, IDOK), TRUE);
      SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd, IDOK)), TRUE);
      EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
      SetDlgItemTextA(hwnd, IDC_DOWNLOAD_STATUS, messages.LoadText(IDS_DOWNLOAD_COMPLETE).c_str());
      if (announcedSize == 0) {
        SendMessageA(bar, PBM_SETMARQUEE, FALSE, 0);
        SetWindowLongPtrA(bar, GWL_STYLE, GetWindowLongPtrA(bar, GWL_STYLE) & ~PBS_MARQUEE);
        SendMessageA(bar, PBM_SETPOS, 100, 0);
      }
    } else {
      SetDlgItemTextA(hwnd, IDC_DOWNLOAD_STATUS, messages.LoadText(IDS_DOWNLOAD_ERROR).c_str());
    }
    MessageBeep(MB_ICONEXCLAMATION);
  } else {
    total += static_cast<uint64_t>(value);
  }
  if (announcedSize != 0) SendMessageA(bar, PBM_SETPOS, ProgressPercent(total, announcedSize), 0);
}
