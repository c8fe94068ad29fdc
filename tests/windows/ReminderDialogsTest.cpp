// The set-reminder dialog and the reminder popup in-process: the pickers'
// checks and range, the popup's answers, and the frame's routes to both.
#include <windows.h>
#include <commctrl.h>

#include <ctime>

#include "DialogScript.h"
#include "ProgramFixture.h"

#include "reminders/Intervals.h"
#include "reminders/win32/ReminderDialogs.h"
#include "res/resource.h"

namespace {

std::string Text(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}
void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
void Tick(HWND dialog, bool on) {
  CheckDlgButton(dialog, IDC_REMINDER_ENABLED, on ? BST_CHECKED : BST_UNCHECKED);
  Press(dialog, IDC_REMINDER_ENABLED);
}
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
SYSTEMTIME LocalSystemTime(std::time_t t) {
  const std::tm local = *std::localtime(&t);
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(local.tm_year + 1900);
  st.wMonth = static_cast<WORD>(local.tm_mon + 1);
  st.wDay = static_cast<WORD>(local.tm_mday);
  st.wHour = static_cast<WORD>(local.tm_hour);
  st.wMinute = static_cast<WORD>(local.tm_min);
  st.wSecond = static_cast<WORD>(local.tm_sec);
  return st;
}

constexpr uint32_t PENDING = REMINDER_SET | REMINDER_ACTIVE;

class ReminderDialogsTest : public ProgramMessagesTest {
 protected:
  const std::string inPast = LoadResourceString(IDS_REMINDER_IN_PAST);
  CRuntimeLocalTime localTime;
};

TEST_F(ReminderDialogsTest, SetReminderRefusesAPastMomentAtOnceAndAtOk) {
  const std::time_t now = std::time(nullptr);
  CSetReminderDlg dialog(3, localTime);
  dialog.pickedDate = dialog.pickedTime = now - 2 * 86400;
  std::vector<std::string> seen;
  SYSTEMTIME range[2] = {};
  CDialogScript script([&](HWND box) {
    seen.push_back(Text(box) + (Enabled(box, IDC_REMINDER_TIME) ? " on" : " off"));
    SendDlgItemMessageA(box, IDC_REMINDER_DATE, DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
    Press(box, IDOK);
    seen.push_back("focus " + std::to_string(GetDlgCtrlID(GetFocus())));
    Tick(box, false);
    seen.push_back(Enabled(box, IDC_REMINDER_DATE) || Enabled(box, IDC_REMINDER_TIME) ? "pickers on" : "pickers off");
    Tick(box, true);
    seen.push_back(std::to_string(messages.shown.size()) + (Enabled(box, IDC_REMINDER_DATE) ? " pickers on" : ""));
    SYSTEMTIME later = LocalSystemTime(now + 2 * 86400);
    SendDlgItemMessageA(box, IDC_REMINDER_DATE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&later));
    Press(box, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"Set Reminder for Note 3 on", "focus 10702", "pickers off",
                                            "2 pickers on"}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{inPast, inPast}));
  // Two days ahead at the time of day the time picker kept.
  EXPECT_EQ(dialog.chosenTime, static_cast<int32_t>(now + 2 * 86400));
  // Whole local days inside the 32-bit moments.
  EXPECT_EQ(range[0].wYear, 1970);
  EXPECT_EQ(range[1].wYear, 2038);
  EXPECT_EQ(range[1].wMonth, 1);
  EXPECT_LE(range[1].wDay, 19);
}

TEST_F(ReminderDialogsTest, PopupShowsTheNoteOnTopAndEachWayOfEndingGivesItsAnswer) {
  CReminderPopupDlg snoozed(7, "line one\r\nline two", IntervalIndex(3600));
  std::vector<std::string> seen;
  CDialogScript script([&](HWND box) {
    HWND text = GetDlgItem(box, IDC_POPUP_TEXT);
    HWND list = GetDlgItem(box, IDC_POPUP_SNOOZE_LIST);
    seen.push_back(Text(box) + "|" + Text(text));
    seen.push_back(std::to_string(SendMessageA(list, CB_GETCURSEL, 0, 0)) + " of " +
                   std::to_string(SendMessageA(list, CB_GETCOUNT, 0, 0)));
    seen.push_back(std::string((GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "topmost" : "") +
                   ((GetWindowLongA(text, GWL_STYLE) & ES_READONLY) ? " read-only" : ""));
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    Press(box, IDC_POPUP_SNOOZE);
  });
  EXPECT_EQ(snoozed.DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"Reminder for Note 7|line one\r\nline two", "5 of 18", "topmost read-only"}));
  EXPECT_EQ(snoozed.answer, PopupAnswer::Snooze);
  EXPECT_EQ(snoozed.snoozeIndex, 1);

  const std::vector<std::pair<const char*, std::function<void(HWND)>>> endings = {
      {"Dismiss button", [](HWND box) { Press(box, IDC_POPUP_DISMISS); }},
      {"close box", [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Escape", [](HWND) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
  };
  for (const auto& [how, end] : endings) {
    CReminderPopupDlg popup(1, "x", 0);
    CDialogScript ending(end);
    popup.DoModal();
    EXPECT_EQ(popup.answer, PopupAnswer::Dismiss) << how;
  }
  // A quit while the popup shows is no answer of the user's.
  CReminderPopupDlg quitting(1, "x", 0);
  CDialogScript quit([](HWND box) {
    PostQuitMessage(0);
    ShowWindow(box, SW_HIDE);  // or the script would cancel it itself
  });
  // Whatever the system's dialog loop returns then, no dialog reports OK.
  EXPECT_EQ(quitting.DoModal(), IDCANCEL);
  EXPECT_EQ(quitting.answer, PopupAnswer::Quit);
}

TEST_F(ReminderDialogsTest, FrameRunsTheReminderCommandAndTheDueMessage) {
  FillPad({"one", "two"}, 2);
  store.dirty = false;
  CDialogScript ok([](HWND box) { Press(box, IDOK); });
  SendMessageA(Frame(), WM_COMMAND, ID_REMINDERS, 0);
  EXPECT_TRUE(ok.ran);
  EXPECT_EQ(store.Entry(2).flags, PENDING);
  EXPECT_EQ(store.header.reminderCount.load(), 1u);
  EXPECT_TRUE(store.dirty);

  store.Entry(2).flags |= REMINDER_QUEUED;
  std::string caption;
  CDialogScript dismiss([&](HWND box) {
    caption = Text(box);
    Press(box, IDC_POPUP_DISMISS);
  });
  SendMessageA(Frame(), WM_APP_REMINDER_DUE, 0, 2);
  EXPECT_EQ(caption, "Reminder for Note 2");
  EXPECT_EQ(store.Entry(2).flags, REMINDER_SET);
  EXPECT_EQ(store.header.reminderCount.load(), 0u);
}

}  // namespace
