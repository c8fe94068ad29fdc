// The Preferences sheet and the first-run setup wizard, driven from outside:
// what reaches the registry, and what the next start sees.
#include <windows.h>

#include <commctrl.h>

#include <cstring>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

constexpr const char* RUN_KEY = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool Gone(HWND window) {
  return WaitFor([&] { return !IsWindow(window); });
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void ClickBox(HWND sheet, int id) { SendMessageA(GetDlgItem(Page(sheet), id), BM_CLICK, 0, 0); }

void SetField(HWND sheet, int id, const char* text) {
  SendMessageA(GetDlgItem(Page(sheet), id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// A refused value keeps the sheet open behind message 917.
void ExpectBadPort(DWORD pid, HWND sheet) {
  HWND box = WaitForBox(pid, "Quillery");
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PressButton(box, "OK"));
  ASSERT_TRUE(Gone(box));
  EXPECT_TRUE(IsWindowVisible(sheet));
}

// Next on a wizard page, waiting for the page whose caption is `next`.
bool WizardNext(HWND wizard, const std::string& next) {
  PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  return WaitFor([&] { return WindowText(wizard) == next; });
}

bool RunEntryExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  const bool found = RegQueryValueExA(key, "Quillery", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

void SetRunEntry(const char* value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, RUN_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  if (value != nullptr) {
    RegSetValueExA(key, "Quillery", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), static_cast<DWORD>(std::strlen(value) + 1));
  } else {
    RegDeleteValueA(key, "Quillery");
  }
  RegCloseKey(key);
}

void QuitProgram(HWND main, Program& program) {
  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program.WaitForExit());
}

// A first run: the program's key is missing altogether.
class FirstRunTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    DeleteProgramKey();
  }
  void TearDown() override {
    SetRunEntry(nullptr);
    E2eTest::TearDown();
  }
};

}  // namespace

TEST_F(E2eTest, PreferencesOkWritesTheRegistryAndCancelDoesNot) {
  Session s({"one"});
  DWORD value = 7;
  Command(s.main, ID_PREFERENCES);
  HWND sheet = WaitForBox(s.pid(), "Quillery Preferences");
  ASSERT_NE(sheet, nullptr);
  ClickBox(sheet, IDC_VERIFY_DELETE);
  ASSERT_TRUE(PressButton(sheet, "Cancel"));
  ASSERT_TRUE(Gone(sheet));
  EXPECT_FALSE(ReadDword("General", "Verify Delete", &value));

  Command(s.main, ID_PREFERENCES);
  sheet = WaitForBox(s.pid(), "Quillery Preferences");
  ASSERT_NE(sheet, nullptr);
  ClickBox(sheet, IDC_VERIFY_DELETE);
  SendMessageA(sheet, PSM_SETCURSEL, 4, 0);
  ClickBox(sheet, IDC_PROXY_LISTED);
  SetField(sheet, IDC_HTTP_PROXY, "proxy.example");
  SetField(sheet, IDC_HTTP_PORT, "0");
  ASSERT_TRUE(PressButton(sheet, "OK"));
  ExpectBadPort(s.pid(), sheet);
  SetField(sheet, IDC_HTTP_PORT, "65536");
  ASSERT_TRUE(PressButton(sheet, "OK"));
  ExpectBadPort(s.pid(), sheet);
  SetField(sheet, IDC_HTTP_PORT, "8080");
  ASSERT_TRUE(PressButton(sheet, "OK"));
  ASSERT_TRUE(Gone(sheet));
  // Written at once, not only at exit.
  EXPECT_TRUE(ReadDword("General", "Verify Delete", &value));
  EXPECT_EQ(value, 0u);
  EXPECT_TRUE(ReadDword("General", "Current Prefs Tab", &value));
  EXPECT_EQ(value, 4u);
  std::string port;
  EXPECT_TRUE(ReadString("Proxies", "HTTP Port", &port));
  EXPECT_EQ(port, "8080");

  Command(s.main, ID_PREFERENCES);
  sheet = WaitForBox(s.pid(), "Quillery Preferences");
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page(sheet)), 0), 4);
  ASSERT_TRUE(PressButton(sheet, "Cancel"));
  ASSERT_TRUE(Gone(sheet));
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), std::vector<std::string>{"one"});
}

TEST_F(FirstRunTest, WizardFinishWithoutStartWithWindowsLeavesNoRunEntryNowOrAfterTheNextStart) {
  SetRunEntry("left by an earlier copy");
  ProgramFolder folder;
  {
    Program program(folder);
    HWND wizard = WaitForBox(program.pid(), "Quillery Setup - Welcome");
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - Start with Windows"));
    ClickBox(wizard, IDC_START_WITH_WINDOWS);
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - System Tray Options"));
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - Always On Top Setting"));
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - Default Remind Interval"));
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - Default Snooze Interval"));
    ASSERT_TRUE(PressButton(wizard, "Finish"));
    ASSERT_TRUE(Gone(wizard));
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    DWORD value = 7;
    EXPECT_TRUE(ReadDword("General", "StartWithWindows", &value));
    EXPECT_EQ(value, 0u);
    EXPECT_FALSE(RunEntryExists());
    QuitProgram(main, program);
  }
  EXPECT_FALSE(RunEntryExists());
  Program again(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the wizard came back";
  EXPECT_FALSE(RunEntryExists());
  QuitProgram(main, again);
}

TEST_F(FirstRunTest, WizardCancelKeepsTheDefaultsAndTheWizardNeverReturns) {
  ProgramFolder folder;
  {
    Program program(folder);
    HWND wizard = WaitForBox(program.pid(), "Quillery Setup - Welcome");
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(WizardNext(wizard, "Quillery Setup - Start with Windows"));
    ClickBox(wizard, IDC_START_WITH_WINDOWS);
    ASSERT_TRUE(PressButton(wizard, "Cancel"));
    ASSERT_TRUE(Gone(wizard));
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    QuitProgram(main, program);
  }
  DWORD value = 7;
  EXPECT_TRUE(ReadDword("General", "Setup Wiz Run", &value));
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(ReadDword("General", "StartWithWindows", &value));
  EXPECT_EQ(value, 1u);
  EXPECT_TRUE(ReadDword("General", "Snooze Time", &value));
  EXPECT_EQ(value, 3600u);
  EXPECT_TRUE(RunEntryExists());
  Program again(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the wizard came back";
  QuitProgram(main, again);
}
