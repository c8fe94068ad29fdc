// The Preferences sheet and the setup wizard in-process: what OK, Cancel and
// the pages' rules leave in the settings, and the wizard's buttons.
#include <windows.h>

#include <commctrl.h>

#include "DialogScript.h"
#include "ProgramFixture.h"
#include "preferences/win32/SetupWizard.h"
#include "res/resource.h"

namespace {

constexpr int WIZARD_BACK = 0x3023, WIZARD_NEXT = 0x3024, WIZARD_FINISH = 0x3025;

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

int PageIndex(HWND sheet) { return PropSheet_HwndToIndex(sheet, Page(sheet)); }

void Click(HWND sheet, int id) {
  SendMessageA(GetDlgItem(Page(sheet), id), BM_CLICK, 0, 0);
  Pump();
}

void SetText(HWND sheet, int id, const char* text) { SetDlgItemTextA(Page(sheet), id, text); }

void Pick(HWND sheet, int id, int index) {
  HWND list = GetDlgItem(Page(sheet), id);
  SendMessageA(list, CB_SETCURSEL, index, 0);
  SendMessageA(Page(sheet), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

std::string ItemText(HWND sheet, int id) {
  char text[64] = {};
  GetDlgItemTextA(Page(sheet), id, text, sizeof(text));
  return text;
}

bool Enabled(HWND sheet, int id) { return IsWindowEnabled(GetDlgItem(Page(sheet), id)) != FALSE; }

// The OK button as a click gives it; false when a page refused its values
// and the sheet stays.
bool PressOk(HWND sheet) {
  SendMessageA(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(sheet, IDOK)));
  Pump();
  return !IsWindow(sheet) || PropSheet_GetCurrentPageHwnd(sheet) == nullptr;
}

// Back, Next and Finish as the user sees them.
std::string WizardButtons(HWND sheet) {
  Pump();
  std::string state;
  if (IsWindowEnabled(GetDlgItem(sheet, WIZARD_BACK))) state += "back ";
  HWND next = GetDlgItem(sheet, WIZARD_NEXT);
  if (IsWindowVisible(next) && IsWindowEnabled(next)) state += "next ";
  HWND finish = GetDlgItem(sheet, WIZARD_FINISH);
  if (IsWindowVisible(finish) && IsWindowEnabled(finish)) state += "finish";
  return state;
}

void Wizard(HWND sheet, int button) {
  PropSheet_PressButton(sheet, button);
  Pump();
}

}  // namespace

using PreferencesTest = ProgramMessagesTest;

TEST_F(PreferencesTest, OkAppliesAndSavesTheValuesAndCancelLeavesEverything) {
  CDialogScript cancel([](HWND sheet) {
    Click(sheet, IDC_VERIFY_DELETE);
    PropSheet_SetCurSel(sheet, nullptr, 4);
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  frame.RouteCommand(ID_PREFERENCES);
  EXPECT_TRUE(cancel.ran);
  EXPECT_EQ(settings.verifyDelete, 1u);
  EXPECT_EQ(settings.currentPrefsTab, 0u);
  EXPECT_TRUE(savedGroups.empty());

  settings.runInTray = 0;
  CDialogScript ok([](HWND sheet) {
    Click(sheet, IDC_VERIFY_DELETE);
    PropSheet_SetCurSel(sheet, nullptr, 1);
    Click(sheet, IDC_RUN_IN_TRAY);
    PropSheet_SetCurSel(sheet, nullptr, 2);
    SetText(sheet, IDC_TABS, "4");
    Click(sheet, IDC_ON_TOP);
    EXPECT_TRUE(PressOk(sheet));
  });
  settings.onTop = 1;
  frame.RouteCommand(ID_PREFERENCES);
  EXPECT_EQ(settings.verifyDelete, 0u);
  EXPECT_EQ(settings.runInTray, 1u);
  EXPECT_EQ(settings.tabs, 4u);
  EXPECT_EQ(settings.currentPrefsTab, 2u);
  EXPECT_EQ(settings.onTop, 0u);
  EXPECT_EQ(GetWindowLongA(Frame(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(frame.TrayIconShown());
  EXPECT_TRUE(frame.OffersCloseToTray());
  EXPECT_NE(GetMenuState(GetSubMenu(GetMenu(Frame()), 0), ID_APP_EXIT, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(savedGroups, (std::vector<uint32_t>{SETTINGS_PREFERENCES | SETTINGS_APPEARANCE}));
  frame.SetTrayIcon(false);
}

TEST_F(PreferencesTest, TheSheetOpensOnTheStoredTabAndTheRangesAndPortsAreChecked) {
  settings.currentPrefsTab = 4;
  settings.proxyOption = 2;
  settings.httpProxy = " proxy.example ";
  settings.httpPort = "0";
  std::vector<int> opened;
  CDialogScript script([&](HWND sheet) {
    opened.push_back(PageIndex(sheet));
    EXPECT_FALSE(PressOk(sheet));
    SetText(sheet, IDC_HTTP_PORT, "65536");
    EXPECT_FALSE(PressOk(sheet));
    SetText(sheet, IDC_HTTP_PORT, " 080 ");
    PropSheet_SetCurSel(sheet, nullptr, 0);
    SetText(sheet, IDC_AUTOSAVE_MINUTES, "1000");
    EXPECT_FALSE(PressOk(sheet));
    SetText(sheet, IDC_AUTOSAVE_MINUTES, "999");
    PropSheet_SetCurSel(sheet, nullptr, 2);
    SetText(sheet, IDC_TABS, "1");
    EXPECT_FALSE(PressOk(sheet));
    SetText(sheet, IDC_TABS, "64");
    PropSheet_SetCurSel(sheet, nullptr, 4);
    EXPECT_TRUE(PressOk(sheet));
  });
  frame.RouteCommand(ID_PREFERENCES);
  EXPECT_EQ(opened, std::vector<int>{4});
  const std::string port = "Please enter a valid port number between 1 and 65535.";
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{port, port, "Please enter an integer between 1 and 999.",
                                                        "Please enter an integer between 2 and 64."}));
  EXPECT_EQ(settings.httpProxy, "proxy.example");
  EXPECT_EQ(settings.httpPort, "80");
  EXPECT_EQ(settings.autoSaveTime, 999u);
  EXPECT_EQ(settings.tabs, 64u);
  EXPECT_EQ(settings.currentPrefsTab, 4u);
}

TEST_F(PreferencesTest, IntervalsKeepTheirStoredValueUntilPickedAndShortOnesTurnTheFixedTimeOff) {
  settings.currentPrefsTab = 3;
  settings.snoozeTime = 4000;
  settings.remindTime = 300;
  settings.useFixedTime = 1;
  std::vector<std::string> seen;
  CDialogScript script([&](HWND sheet) {
    seen.push_back(ItemText(sheet, IDC_SNOOZE_INTERVAL) + (Enabled(sheet, IDC_USE_FIXED_TIME) ? " box" : "") +
                   (Enabled(sheet, IDC_FIXED_TIME) ? " picker" : ""));
    Pick(sheet, IDC_REMIND_INTERVAL, 10);  // 1 Day
    seen.push_back(ItemText(sheet, IDC_REMIND_INTERVAL) + (Enabled(sheet, IDC_USE_FIXED_TIME) ? " box" : "") +
                   (Enabled(sheet, IDC_FIXED_TIME) ? " picker" : ""));
    Click(sheet, IDC_USE_FIXED_TIME);
    seen.push_back(Enabled(sheet, IDC_FIXED_TIME) ? "picker" : "");
    Click(sheet, IDC_USE_FIXED_TIME);
    EXPECT_TRUE(PressOk(sheet));
  });
  frame.RouteCommand(ID_PREFERENCES);
  EXPECT_EQ(seen, (std::vector<std::string>{"2 Hours", "1 Day box", "picker"}));
  EXPECT_EQ(settings.snoozeTime, 4000u);
  EXPECT_EQ(settings.remindTime, 86400u);
  EXPECT_EQ(settings.useFixedTime, 0u);
  EXPECT_EQ(settings.fixedTime, 32400u);
}

TEST_F(PreferencesTest, WizardButtonsFollowThePagesAndFinishCopiesTheChoices) {
  Settings chosen;
  std::vector<std::string> buttons;
  CDialogScript script([&](HWND sheet) {
    buttons.push_back(WizardButtons(sheet));
    Wizard(sheet, PSBTN_NEXT);
    buttons.push_back(WizardButtons(sheet));
    Click(sheet, IDC_START_WITH_WINDOWS);
    Wizard(sheet, PSBTN_NEXT);
    Click(sheet, IDC_RUN_IN_TRAY);
    buttons.push_back(Enabled(sheet, IDC_CLOSE_TO_TRAY) ? "close on" : "close off");
    Wizard(sheet, PSBTN_NEXT);
    Click(sheet, IDC_ON_TOP);
    Wizard(sheet, PSBTN_NEXT);
    buttons.push_back(WizardButtons(sheet));
    Pick(sheet, IDC_REMIND_INTERVAL, 0);  // 5 Minutes
    buttons.push_back(Enabled(sheet, IDC_USE_FIXED_TIME) ? "fixed on" : "fixed off");
    Wizard(sheet, PSBTN_NEXT);
    buttons.push_back(WizardButtons(sheet));
    Pick(sheet, IDC_SNOOZE_INTERVAL, 2);  // 15 Minutes
    Wizard(sheet, PSBTN_BACK);
    buttons.push_back(WizardButtons(sheet) + (Enabled(sheet, IDC_USE_FIXED_TIME) ? "fixed on" : "fixed off"));
    Wizard(sheet, PSBTN_NEXT);
    buttons.push_back(WizardButtons(sheet));
    Wizard(sheet, PSBTN_FINISH);
  });
  chosen.useFixedTime = 1;
  EXPECT_TRUE(RunSetupWizard(chosen));
  EXPECT_EQ(buttons, (std::vector<std::string>{"next ", "back next ", "close off", "back next ", "fixed off",
                                               "back finish", "back next fixed off", "back finish"}));
  EXPECT_EQ(chosen.startWithWindows, 0u);
  EXPECT_EQ(chosen.runInTray, 0u);
  EXPECT_EQ(chosen.onTop, 1u);
  EXPECT_EQ(chosen.remindTime, 300u);
  EXPECT_EQ(chosen.useFixedTime, 0u);
  EXPECT_EQ(chosen.snoozeTime, 900u);
}

TEST_F(PreferencesTest, WizardCancelChangesNothing) {
  Settings kept;
  CDialogScript script([](HWND sheet) {
    Wizard(sheet, PSBTN_NEXT);
    Click(sheet, IDC_START_WITH_WINDOWS);
    Wizard(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(RunSetupWizard(kept));
  EXPECT_TRUE(script.ran);
  EXPECT_EQ(kept.startWithWindows, 1u);
}
