// Dialogs, property sheets and wizards in-process, from templates built in
// memory: data exchange both ways, the standard refusal messages with the
// focus put back, page changes and the wizard's button sequence.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/App.h"
#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "shared/FakeMessages.h"

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 1;

class CTestApp : public CWinApp {
 public:
  bool InitInstance() override { return true; }
};

// Builds a DLGTEMPLATE with its items in memory.
class CTemplate {
 public:
  CTemplate(DWORD style, short cx, short cy, const char* title) {
    Add<DWORD>(style | DS_SETFONT);
    Add<DWORD>(0);
    countAt = bytes.size();
    Add<WORD>(0);
    Add<short>(0);
    Add<short>(0);
    Add<short>(cx);
    Add<short>(cy);
    Add<WORD>(0);  // no menu
    Add<WORD>(0);  // default class
    AddText(title);
    Add<WORD>(8);
    AddText("MS Shell Dlg");
  }
  CTemplate& Item(WORD atom, WORD id, DWORD style, short x, short y, short cx, short cy,
                  const char* text = "") {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    Add<DWORD>(style | WS_CHILD | WS_VISIBLE);
    Add<DWORD>(0);
    Add<short>(x);
    Add<short>(y);
    Add<short>(cx);
    Add<short>(cy);
    Add<WORD>(id);
    Add<WORD>(0xFFFF);
    Add<WORD>(atom);
    AddText(text);
    Add<WORD>(0);
    WORD count;
    memcpy(&count, &bytes[countAt], sizeof(count));
    ++count;
    memcpy(&bytes[countAt], &count, sizeof(count));
    return *this;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes.data()); }

  static constexpr WORD BUTTON = 0x80, EDIT = 0x81, COMBO = 0x85;

 private:
  template <class T>
  void Add(T value) {
    const auto* p = reinterpret_cast<const unsigned char*>(&value);
    bytes.insert(bytes.end(), p, p + sizeof(T));
  }
  void AddText(const char* text) {
    for (const char* c = text; *c != 0; ++c) Add<WORD>(static_cast<unsigned char>(*c));
    Add<WORD>(0);
  }
  std::vector<unsigned char> bytes;
  size_t countAt = 0;
};

std::string Text(HWND dialog, int id) {
  char buffer[256];
  GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
  return buffer;
}

// A dialog that runs a test script once it is up.
class CScriptedDialog : public CDialog {
 public:
  using CDialog::CDialog;
  // Runs once the dialog is up and at each WM_TEST_STEP; returns true when
  // it is finished (a dialog still open then ends with IDABORT).
  std::function<bool(CScriptedDialog&)> script;
  int number = 42;
  unsigned count = 3;
  int checked = 1;
  int choice = 1;
  int item = 2;
  std::string text = "hi";
  int f1Keys = 0;
  HWND Window() const { return hwnd; }

  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) ++f1Keys;
    return CDialog::PreTranslateMessage(msg);
  }

 protected:
  bool OnInitDialog() override {
    CDialog::OnInitDialog();
    HWND combo = GetDlgItem(hwnd, 105);
    for (const char* s : {"zero", "one", "two"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    PostMessageA(hwnd, WM_TEST_STEP, 0, 0);
    return true;
  }
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, 100, number);
    DDV_MinMaxInt(dx, number, 1, 999);
    DDX_Text(dx, 101, count);
    DDV_MinMaxUInt(dx, count, 1, 5);
    DDX_Check(dx, 102, checked);
    DDX_Radio(dx, 103, choice);
    DDX_CBIndex(dx, 105, item);
    DDX_Text(dx, 106, text);
    DDV_MaxChars(dx, 4);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TEST_STEP) {
      if ((!script || script(*this)) && IsWindowVisible(hwnd)) EndDialog(IDABORT);
      return TRUE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }
};

CTemplate DialogTemplate() {
  CTemplate t(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 140, "Test");
  t.Item(CTemplate::EDIT, 100, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 60, 12)
      .Item(CTemplate::EDIT, 101, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 20, 60, 12)
      .Item(CTemplate::BUTTON, 102, WS_TABSTOP | BS_AUTOCHECKBOX, 5, 35, 60, 12, "Check")
      .Item(CTemplate::BUTTON, 103, WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON, 5, 50, 60, 12, "A")
      .Item(CTemplate::BUTTON, 104, BS_AUTORADIOBUTTON, 5, 65, 60, 12, "B")
      .Item(CTemplate::COMBO, 105, WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST, 5, 80, 60, 60)
      .Item(CTemplate::EDIT, 106, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 95, 60, 12)
      .Item(CTemplate::BUTTON, IDOK, WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 100, 5, 50, 14, "OK")
      .Item(CTemplate::BUTTON, IDCANCEL, WS_TABSTOP, 100, 25, 50, 14, "Cancel");
  return t;
}

void PressOk(HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }

class FrameworkDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { app.SetMessages(&messages); }
  CTestApp app;
  FakeMessages messages;
};

TEST_F(FrameworkDialogTest, MembersFillTheControlsAndOkReadsThemBack) {
  CTemplate t = DialogTemplate();
  CScriptedDialog dialog(t.Get());
  std::vector<std::string> seen;
  dialog.script = [&seen](CScriptedDialog& d) {
    HWND w = d.Window();
    seen = {Text(w, 100), Text(w, 101), std::to_string(IsDlgButtonChecked(w, 102)),
            std::to_string(IsDlgButtonChecked(w, 104)),
            std::to_string(SendDlgItemMessageA(w, 105, CB_GETCURSEL, 0, 0)), Text(w, 106),
            std::to_string(SendDlgItemMessageA(w, 106, EM_GETLIMITTEXT, 0, 0))};
    SetDlgItemTextA(w, 100, " -7 ");
    SetDlgItemTextA(w, 101, "5");
    CheckDlgButton(w, 102, BST_UNCHECKED);
    CheckRadioButton(w, 103, 104, 103);
    SendDlgItemMessageA(w, 105, CB_SETCURSEL, 0, 0);
    SetDlgItemTextA(w, 106, "yo");
    PressOk(w);  // -7 is out of range: refused
    SetDlgItemTextA(w, 100, "12");
    PressOk(w);
    return true;
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"42", "3", "1", "1", "2", "hi", "4"}));
  EXPECT_EQ(dialog.number, 12);
  EXPECT_EQ(dialog.count, 5u);
  EXPECT_EQ(dialog.checked, 0);
  EXPECT_EQ(dialog.choice, 0);
  EXPECT_EQ(dialog.item, 0);
  EXPECT_EQ(dialog.text, "yo");
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Please enter an integer between 1 and 999."}));
}

TEST_F(FrameworkDialogTest, RefusedValuesShowTheStandardMessageAndKeepTheFocus) {
  CTemplate t = DialogTemplate();
  CScriptedDialog dialog(t.Get());
  struct Attempt {
    int control;
    const char* value;
  };
  std::vector<std::string> focus;
  dialog.script = [&focus](CScriptedDialog& d) {
    HWND w = d.Window();
    const Attempt attempts[] = {{100, "abc"}, {100, "99999999999"}, {100, "1000"}, {100, "5"},
                                {101, "2x"},  {101, "0"},           {101, "4"}};
    SetDlgItemTextA(w, 101, "-3");
    for (const Attempt& a : attempts) {
      SetDlgItemTextA(w, a.control, a.value);
      PressOk(w);
      if (!IsWindowVisible(w)) break;
      DWORD start = 1, end = 0;
      SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      focus.push_back(std::to_string(GetDlgCtrlID(GetFocus())) + " " + std::to_string(start) + "-" +
                      std::to_string(end));
    }
    PressOk(w);
    return true;
  };
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{
                                "Please enter an integer.", "Please enter an integer.",
                                "Please enter an integer between 1 and 999.", "Please enter a positive integer.",
                                "Please enter a positive integer.", "Please enter an integer between 1 and 5."}));
  for (const auto& shown : messages.shown) EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  // After each refusal the offending field has the focus, its text selected.
  EXPECT_EQ(focus, (std::vector<std::string>{"100 0-3", "100 0-11", "100 0-4", "101 0-2", "101 0-2",
                                             "101 0-1"}));
  EXPECT_EQ(dialog.number, 5);
  EXPECT_EQ(dialog.count, 4u);
}

TEST_F(FrameworkDialogTest, CancelLeavesMembersAndKeysPassPreTranslateMessage) {
  CTemplate t = DialogTemplate();
  CScriptedDialog dialog(t.Get());
  int step = 0;
  dialog.script = [&step](CScriptedDialog& d) {
    HWND w = d.Window();
    if (step++ == 0) {
      SetDlgItemTextA(w, 100, "77");
      SetFocus(GetDlgItem(w, 100));
      PostMessageA(GetDlgItem(w, 100), WM_KEYDOWN, VK_F1, 0);
      PostMessageA(w, WM_TEST_STEP, 0, 0);
      return false;
    }
    SendMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return true;
  };
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.number, 42);
  EXPECT_GE(dialog.f1Keys, 1);
}

TEST_F(FrameworkDialogTest, ModelessDialogTakesItsKeysThroughTheApplicationLoop) {
  CTemplate t = DialogTemplate();
  CScriptedDialog dialog(t.Get());
  dialog.script = [](CScriptedDialog&) { return false; };
  ASSERT_TRUE(dialog.Create());
  HWND first = GetDlgItem(dialog.Window(), 100);
  EXPECT_EQ(Text(dialog.Window(), 100), "42");
  SetFocus(first);
  MSG tab{first, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  EXPECT_TRUE(app.PreTranslateMessage(tab));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Window(), 101));
  HWND window = dialog.Window();
  dialog.EndDialog(IDOK);
  EXPECT_FALSE(IsWindow(window));
}

CTemplate PageTemplate(const char* title, bool withNumber) {
  CTemplate t(WS_CHILD | WS_DISABLED | WS_CAPTION | DS_CONTROL, 200, 100, title);
  if (withNumber) t.Item(CTemplate::EDIT, 200, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 5, 5, 60, 12);
  return t;
}

std::vector<std::string> pageCalls;

class CTestPage : public CPropertyPage {
 public:
  CTestPage(const DLGTEMPLATE* t, int pageIndex, bool hasNumber)
      : CPropertyPage(t), index(pageIndex), withNumber(hasNumber) {}
  int number = 3;
  HWND Window() const { return hwnd; }

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    if (!withNumber) return;
    DDX_Text(dx, 200, number);
    DDV_MinMaxInt(dx, number, 1, 10);
  }
  bool OnSetActive() override {
    Note("set");
    return CPropertyPage::OnSetActive();
  }
  bool OnKillActive() override {
    bool ok = CPropertyPage::OnKillActive();
    Note(ok ? "kill" : "kill refused");
    return ok;
  }
  LRESULT OnWizardNext() override {
    Note("next");
    return CPropertyPage::OnWizardNext();
  }
  LRESULT OnWizardBack() override {
    Note("back");
    return CPropertyPage::OnWizardBack();
  }
  bool OnWizardFinish() override {
    Note("finish");
    return CPropertyPage::OnWizardFinish();
  }

 private:
  void Note(const char* what) { pageCalls.push_back(std::string(what) + " " + std::to_string(index)); }
  int index;
  bool withNumber;
};

// A sheet that runs one step of a script per posted message.
class CScriptedSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  std::vector<std::function<void(HWND)>> steps;
  std::vector<int> activeAtStep;

 protected:
  bool OnInitDialog() override {
    PostMessageA(hwnd, WM_TEST_STEP, 0, 0);
    return true;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TEST_STEP) return CPropertySheet::WindowProc(message, wParam, lParam);
    activeAtStep.push_back(GetActiveIndex());
    if (next < steps.size()) {
      steps[next++](hwnd);
      PostMessageA(hwnd, WM_TEST_STEP, 0, 0);
    }
    return 0;
  }

 private:
  size_t next = 0;
};

TEST_F(FrameworkDialogTest, WizardPagesExchangeDataOnNextBackAndFinish) {
  CTemplate t0 = PageTemplate("One", false), t1 = PageTemplate("Two", true), t2 = PageTemplate("Three", false);
  CTestPage p0(t0.Get(), 0, false), p1(t1.Get(), 1, true), p2(t2.Get(), 2, false);
  CScriptedSheet sheet("Wizard", nullptr);
  sheet.AddPage(p0);
  sheet.AddPage(p1);
  sheet.AddPage(p2);
  sheet.SetWizardMode();
  pageCalls.clear();
  auto press = [](int button) { return [button](HWND w) { PropSheet_PressButton(w, button); }; };
  sheet.steps = {press(PSBTN_NEXT),
                 [&p1](HWND w) {
                   SetDlgItemTextA(p1.Window(), 200, "50");
                   PropSheet_PressButton(w, PSBTN_NEXT);
                 },
                 [&p1](HWND w) {
                   SetDlgItemTextA(p1.Window(), 200, "7");
                   PropSheet_PressButton(w, PSBTN_NEXT);
                 },
                 press(PSBTN_BACK), press(PSBTN_NEXT), press(PSBTN_FINISH)};
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(p1.number, 7);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Please enter an integer between 1 and 10."}));
  // The refused page stays; Back and Next move one page.
  ASSERT_GE(sheet.activeAtStep.size(), 6u);
  EXPECT_EQ(std::vector<int>(sheet.activeAtStep.begin(), sheet.activeAtStep.begin() + 6),
            (std::vector<int>{0, 1, 1, 2, 1, 2}));
  auto has = [](const char* call) { return std::find(pageCalls.begin(), pageCalls.end(), call) != pageCalls.end(); };
  EXPECT_TRUE(has("next 0"));
  EXPECT_TRUE(has("kill refused 1"));
  EXPECT_TRUE(has("back 2"));
  EXPECT_TRUE(has("finish 2"));
  EXPECT_EQ(pageCalls.front(), "set 0");
}

TEST_F(FrameworkDialogTest, SheetOkChecksTheShownPageAndCancelKeepsMembers) {
  CTemplate t0 = PageTemplate("General", false), t1 = PageTemplate("Number", true);
  CTestPage p0(t0.Get(), 0, false), p1(t1.Get(), 1, true);
  {
    CScriptedSheet sheet("Sheet", nullptr, 1);
    sheet.AddPage(p0);
    sheet.AddPage(p1);
    sheet.sheetFlags |= PSH_NOAPPLYNOW;
    sheet.steps = {[&p1](HWND w) {
                     SetDlgItemTextA(p1.Window(), 200, "0");
                     PropSheet_PressButton(w, PSBTN_OK);
                   },
                   [](HWND w) { PropSheet_PressButton(w, PSBTN_CANCEL); }};
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.activeAtStep.at(0), 1);
    // OK with a refused value left the sheet open until Cancel.
    EXPECT_EQ(sheet.activeAtStep.at(1), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
  }
  {
    CScriptedSheet sheet("Sheet", nullptr, 1);
    sheet.AddPage(p0);
    sheet.AddPage(p1);
    sheet.steps = {[&p1](HWND w) {
      SetDlgItemTextA(p1.Window(), 200, "9");
      PropSheet_PressButton(w, PSBTN_OK);
    }};
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(p1.number, 9);
  }
}

}  // namespace
