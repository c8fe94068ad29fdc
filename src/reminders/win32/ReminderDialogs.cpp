#include "reminders/win32/ReminderDialogs.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <utility>

#include "base/Messages.h"
#include "framework/Win32Messages.h"
#include "reminders/Intervals.h"
#include "reminders/SetReminder.h"
#include "res/resource.h"

namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& local) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(local.year);
  st.wMonth = static_cast<WORD>(local.month);
  st.wDay = static_cast<WORD>(local.day);
  st.wHour = static_cast<WORD>(local.hour);
  st.wMinute = static_cast<WORD>(local.minute);
  st.wSecond = static_cast<WORD>(local.second);
  return st;
}

std::string NumberedCaption(UINT id, uint32_t number) {
  std::string caption = LoadResourceString(id);
  ReplacePlaceholder(caption, "<NOTENUM>", std::to_string(number));
  return caption;
}

}  // namespace

CSetReminderDlg::CSetReminderDlg(uint32_t number, ILocalTime& local)
    : CHelpDialog(IDD_SET_REMINDER), noteNumber(number), localTime(local) {}

bool CSetReminderDlg::OnInitDialog() {
  // Only days on which every time of day fits the stored 32-bit moment.
  ReminderDateRange range{};
  if (ReminderDatePickerRange(localTime, range)) {
    const SYSTEMTIME limits[2] = {ToSystemTime(range.first), ToSystemTime(range.last)};
    for (int id : {IDC_REMINDER_DATE, IDC_REMINDER_TIME}) {
      SendDlgItemMessageA(hwnd, id, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(limits));
    }
  }
  CHelpDialog::OnInitDialog();
  SetWindowTextA(hwnd, NumberedCaption(IDS_SET_REMINDER_CAPTION, noteNumber).c_str());
  EnablePickers();
  return true;
}

void CSetReminderDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_REMINDER_ENABLED, enabled);
  DDX_DateTimeCtrl(dx, IDC_REMINDER_DATE, pickedDate);
  DDX_DateTimeCtrl(dx, IDC_REMINDER_TIME, pickedTime);
  if (!dx.saving || dx.failed) return;
  const int32_t now = static_cast<int32_t>(std::time(nullptr));
  switch (ComposeReminderTime(localTime, pickedDate, pickedTime, enabled != 0, now, chosenTime)) {
    case ReminderCheck::Ok:
      return;
    case ReminderCheck::InPast:
      dx.PrepareControl(IDC_REMINDER_TIME);
      dx.Fail(IDS_REMINDER_IN_PAST);
      return;
    case ReminderCheck::OutOfRange:
      // The pickers' range keeps the user from such moments.
      dx.PrepareControl(IDC_REMINDER_DATE);
      dx.failed = true;
      return;
  }
}

bool CSetReminderDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_REMINDER_ENABLED && HIWORD(wParam) == BN_CLICKED) {
    // A past moment is refused at once, not only at OK; the pickers follow
    // the box first, so that the refusal can put the focus on the time.
    EnablePickers();
    UpdateData(true);
    return true;
  }
  return CHelpDialog::OnCommand(wParam, lParam);
}

void CSetReminderDlg::EnablePickers() {
  const BOOL on = IsDlgButtonChecked(hwnd, IDC_REMINDER_ENABLED) == BST_CHECKED;
  EnableWindow(GetDlgItem(hwnd, IDC_REMINDER_DATE), on);
  EnableWindow(GetDlgItem(hwnd, IDC_REMINDER_TIME), on);
}

CReminderPopupDlg::CReminderPopupDlg(uint32_t number, std::string noteText, int index, HWND owner)
    : CHelpDialog(IDD_REMINDER_POPUP, owner), snoozeIndex(index), noteNumber(number), text(std::move(noteText)) {}

bool CReminderPopupDlg::OnInitDialog() {
  // Without SND_NODEFAULT a missing file still gives the system's sound.
  if (!soundFile.empty())
    PlaySoundA(soundFile.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NOSTOP | SND_NOWAIT);
  SetWindowTextA(hwnd, NumberedCaption(IDS_REMINDER_POPUP_CAPTION, noteNumber).c_str());
  SetDlgItemTextA(hwnd, IDC_POPUP_TEXT, text.c_str());
  HWND list = GetDlgItem(hwnd, IDC_POPUP_SNOOZE_LIST);
  for (const ReminderInterval& interval : INTERVALS)
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(interval.name));
  CHelpDialog::OnInitDialog();
  // Above other programs too, while the main window may be hidden.
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW);
  SetForegroundWindow(hwnd);
  // Not on the text, which the focus would select whole.
  SetFocus(GetDlgItem(hwnd, IDC_POPUP_SNOOZE));
  return false;
}

void CReminderPopupDlg::DoDataExchange(CDataExchange& dx) { DDX_CBIndex(dx, IDC_POPUP_SNOOZE_LIST, snoozeIndex); }

bool CReminderPopupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_POPUP_SNOOZE) {
    OnOK();
    return true;
  }
  if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_POPUP_DISMISS) {
    OnCancel();
    return true;
  }
  return CHelpDialog::OnCommand(wParam, lParam);
}

void CReminderPopupDlg::OnOK() {
  if (!UpdateData(true)) return;
  answer = PopupAnswer::Snooze;
  EndDialog(IDOK);
}

// The Dismiss button, Escape and the close box.
void CReminderPopupDlg::OnCancel() {
  answer = PopupAnswer::Dismiss;
  EndDialog(IDCANCEL);
}
