// Context help in-process: every request reaches the help engine with the
// exact command and numbers, or the user learns that help is not installed.
#include "DialogScript.h"
#include "ProgramFixture.h"

#include <commctrl.h>

#include "document/win32/NoteDialogs.h"
#include "help/win32/HelpDialogs.h"
#include "res/resource.h"

namespace {

constexpr DWORD GOTO_NUMBER_HELP = HELPID_CONTROL(IDD_GOTO_NOTE, IDC_GOTO_NUMBER);

HELPINFO WindowHelp(HWND window, POINT mouse = {0, 0}) {
  HELPINFO info{};
  info.cbSize = sizeof(info);
  info.iContextType = HELPINFO_WINDOW;
  info.iCtrlId = GetDlgCtrlID(window);
  info.hItemHandle = window;
  info.MousePos = mouse;
  return info;
}

LRESULT SendHelp(HWND target, HELPINFO info) { return SendMessageA(target, WM_HELP, 0, reinterpret_cast<LPARAM>(&info)); }

POINT CentreOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Puts the key through the dialog's loop as typing would, with Shift held
// or not.
void PressF1(HWND control, bool shift) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  MSG msg{control, WM_KEYDOWN, VK_F1, 0, 0, {0, 0}};
  framework::PreTranslateChain(msg);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

class ContextHelpTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    app.SetMessages(&messages);
    app.SetHelpEngine(&help);
    SetHelpPages(&pages);
  }
  void TearDown() override {
    SetHelpPages(nullptr);
    app.SetHelpEngine(nullptr);
    app.SetMessages(nullptr);
    ProgramTest::TearDown();
  }
  CRecordingHelp help;
  CRecordingPages pages;
};

TEST_F(ContextHelpTest, WithoutHelpFileOrPageTheUserIsToldInsteadOfTheEngine) {
  DeleteFileA(app.HelpFilePath().c_str());
  SendMessageA(Frame(), WM_COMMAND, ID_HELP, 0);
  EXPECT_TRUE(help.calls.empty());
  EXPECT_TRUE(pages.opened.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Help for Quillery is not installed. The help file\n\n\t" + pages.folder +
                                   "note-view.html\n\nwas not found beside the program.");
}

// Without the classic engine (or its file) the page of the request opens,
// at the control asked about; a button without help opens its dialog's page.
TEST_F(ContextHelpTest, WithoutTheClassicEngineHelpOpensThePageOfTheRequest) {
  CHelpFilePresent file(app.HelpFilePath());
  help.installed = false;
  for (const char* page : {"index.html", "go-to-note.html"}) pages.Add(page);
  SendMessageA(Frame(), WM_COMMAND, ID_HELP_FINDER, 0);
  CGoToNoteDlg dialog;
  dialog.maxNote = 5;
  dialog.noteNumber = 1;
  CDialogScript script([&](HWND box) {
    HWND edit = GetDlgItem(box, IDC_GOTO_NUMBER);
    PressF1(edit, false);
    SendHelp(box, WindowHelp(edit));
    PressF1(edit, true);
    SendHelp(box, WindowHelp(edit));
    SendHelp(box, WindowHelp(GetDlgItem(box, IDOK)));
  });
  dialog.DoModal();
  ASSERT_TRUE(script.ran);
  EXPECT_TRUE(help.calls.empty());
  std::string url = "file:///" + pages.folder;
  std::replace(url.begin(), url.end(), '\\', '/');
  EXPECT_EQ(pages.opened, (std::vector<std::string>{url + "index.html", url + "go-to-note.html",
                                                    url + "go-to-note.html#ctl-10200", url + "go-to-note.html"}));
}

TEST_F(ContextHelpTest, FrameAsksForTheViewFaqMenuItemAndContentsTopics) {
  CHelpFilePresent file(app.HelpFilePath());
  SendMessageA(Frame(), WM_COMMAND, ID_HELP, 0);
  SendMessageA(Frame(), WM_COMMAND, ID_HELP_FAQ, 0);
  SendMessageA(Frame(), WM_COMMAND, ID_HELP_FINDER, 0);
  HELPINFO item{};
  item.cbSize = sizeof(item);
  item.iContextType = HELPINFO_MENUITEM;
  item.iCtrlId = ID_NOTE_GOTO;
  EXPECT_EQ(SendHelp(Frame(), item), TRUE);
  item.iCtrlId = 0x10000;  // no id of its own in the low 16 bits: left to the default handling
  SendHelp(Frame(), item);
  ASSERT_EQ(help.calls.size(), 4u);
  const std::pair<UINT, ULONG_PTR> expected[] = {
      {HELP_CONTEXT, 0x181B1}, {HELP_CONTEXT, 0x18218}, {HELP_FINDER, 0}, {HELP_CONTEXT, 0x10000 + ID_NOTE_GOTO}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(help.calls[i].window, Frame()) << i;
    EXPECT_EQ(help.calls[i].file, app.HelpFilePath()) << i;
    EXPECT_EQ(help.calls[i].command, expected[i].first) << i;
    EXPECT_EQ(help.calls[i].data, expected[i].second) << i;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ContextHelpTest, ShiftF1ModeGivesTheHelpOfWhatIsClickedAndEscapeEndsIt) {
  CHelpFilePresent file(app.HelpFilePath());
  ShowWindow(Frame(), SW_SHOWNOACTIVATE);
  UpdateWindow(Frame());
  HWND bar = GetDlgItem(Frame(), AFX_IDW_TOOLBAR);
  RECT button{};
  ASSERT_TRUE(SendMessageA(bar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button)));
  POINT at{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  MapWindowPoints(bar, Frame(), &at, 1);
  // The clicks wait in the queue for the mode's own loop, as the user's would.
  PostMessageA(Frame(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  SendMessageA(Frame(), WM_COMMAND, ID_CONTEXT_HELP, 0);
  RECT client{};
  GetClientRect(view.GetSafeHwnd(), &client);
  POINT inView{client.right / 2, client.bottom / 2};
  MapWindowPoints(view.GetSafeHwnd(), Frame(), &inView, 1);
  PostMessageA(Frame(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inView.x, inView.y));
  SendMessageA(Frame(), WM_COMMAND, ID_CONTEXT_HELP, 0);
  PostMessageA(Frame(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(Frame(), WM_COMMAND, ID_CONTEXT_HELP, 0);
  ASSERT_EQ(help.calls.size(), 2u);
  EXPECT_EQ(help.calls[0].data, 0x10000u + ID_NOTE_NEW);
  EXPECT_EQ(help.calls[1].data, 0x181B1u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ContextHelpTest, ListViewF1AsksForTheListTopic) {
  CHelpFilePresent file(app.HelpFilePath());
  settings.noteMode = 0;
  SendMessageA(Frame(), WM_COMMAND, ID_HELP, 0);
  settings.noteMode = 1;
  ASSERT_EQ(help.calls.size(), 1u);
  EXPECT_EQ(help.calls[0].data, 0x181B2u);
}

TEST_F(ContextHelpTest, DialogGivesItsTopicOnF1AndControlHelpOtherwise) {
  CHelpFilePresent file(app.HelpFilePath());
  CGoToNoteDlg dialog;
  dialog.maxNote = 5;
  dialog.noteNumber = 1;
  HWND box = nullptr, edit = nullptr, label = nullptr, ok = nullptr;
  std::vector<LRESULT> results;
  CDialogScript script([&](HWND b) {
    box = b;
    edit = GetDlgItem(box, IDC_GOTO_NUMBER);
    ok = GetDlgItem(box, IDOK);
    label = GetWindow(edit, GW_HWNDPREV);
    PressF1(edit, false);
    SendHelp(box, WindowHelp(edit));               // 0: plain F1 opens the topic
    PressF1(edit, true);
    SendHelp(box, WindowHelp(edit));               // 1: Shift+F1 on the number
    SendHelp(box, WindowHelp(label));              // 2: question mark on the label
    SendHelp(box, WindowHelp(ok));                 // 3: ... on OK
    SendHelp(box, WindowHelp(box, CentreOf(edit)));  // 4: ... on the background over the number
    SendMessageA(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(label),
                 MAKELPARAM(CentreOf(label).x, CentreOf(label).y));  // 5: right click on the label
    SendMessageA(box, WM_COMMAND, ID_HELP, 0);     // 6: the Help command
    HELPINFO menu = WindowHelp(box);
    menu.iContextType = HELPINFO_MENUITEM;
    results.push_back(SendHelp(box, menu));        // beeps, no help
    results.push_back(SendHelp(box, WindowHelp(box, {-30000, -30000})));  // nothing under the mouse
  });
  dialog.DoModal();
  ASSERT_TRUE(script.ran);
  EXPECT_EQ(results, (std::vector<LRESULT>{FALSE, FALSE}));
  ASSERT_EQ(help.calls.size(), 7u);
  const std::vector<DWORD> number = {IDC_GOTO_NUMBER, GOTO_NUMBER_HELP, 0, 0};
  struct Expected {
    HWND window;
    UINT command;
    std::vector<DWORD> pairs;
  };
  const Expected expected[] = {{box, HELP_CONTEXT, {}},       {edit, HELP_WM_HELP, number},
                               {edit, HELP_WM_HELP, number},  {ok, HELP_WM_HELP, {0, 0, 0, 0}},
                               {edit, HELP_WM_HELP, number},  {edit, HELP_CONTEXTMENU, number},
                               {box, HELP_CONTEXT, {}}};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(help.calls[i].window, expected[i].window) << i;
    EXPECT_EQ(help.calls[i].command, expected[i].command) << i;
    EXPECT_EQ(help.calls[i].pairs, expected[i].pairs) << i;
  }
  EXPECT_EQ(help.calls[0].data, 0x2008Bu);
  EXPECT_EQ(help.calls[6].data, 0x2008Bu);
}

TEST_F(ContextHelpTest, ALabelGivesTheHelpOfTheNextControlOfItsGroupOnly) {
  CHelpFilePresent file(app.HelpFilePath());
  CNotePropertiesDlg dialog;
  std::vector<LRESULT> results;
  CDialogScript script([&](HWND box) {
    HWND value = GetDlgItem(box, IDC_PROPERTIES_CREATED);
    HWND label = GetWindow(value, GW_HWNDPREV);
    results.push_back(SendHelp(box, WindowHelp(label)));
    SetWindowLongPtrA(value, GWL_STYLE, GetWindowLongPtrA(value, GWL_STYLE) | WS_GROUP);
    results.push_back(SendHelp(box, WindowHelp(label)));
    results.push_back(SendMessageA(box, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(label), 0));
  });
  dialog.DoModal();
  EXPECT_EQ(results, (std::vector<LRESULT>{TRUE, FALSE, FALSE}));
  ASSERT_EQ(help.calls.size(), 1u);
  EXPECT_EQ(help.calls[0].pairs, (std::vector<DWORD>{IDC_PROPERTIES_CREATED,
                                                     HELPID_CONTROL(IDD_NOTE_PROPERTIES, IDC_PROPERTIES_CREATED), 0, 0}));
}

// Every control of the program's dialogs carries its template's help id once
// the dialog is up, whether or not the system applied it.
TEST_F(ContextHelpTest, DialogsGiveTheirControlsTheTemplateHelpIds) {
  struct Box {
    UINT id;
    std::vector<int> withHelp;
  };
  const Box boxes[] = {{IDD_ABOUTBOX, {IDC_ABOUT_PRODUCT, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT}},
                       {IDD_NOTE_PROPERTIES, {IDC_PROPERTIES_NUMBER, IDC_PROPERTIES_CREATED, IDC_PROPERTIES_MODIFIED}},
                       {IDD_GOTO_NOTE, {IDC_GOTO_NUMBER}},
                       {IDD_MOVE_NOTE, {IDC_MOVE_BEFORE_FIRST, IDC_MOVE_AFTER, IDC_MOVE_AFTER_NUMBER}}};
  for (const Box& b : boxes) {
    CHelpDialog dialog(b.id);
    ASSERT_TRUE(dialog.Create()) << b.id;
    HWND box = dialog.GetSafeHwnd();
    size_t helped = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      const int id = GetDlgCtrlID(child);
      const bool expectHelp = std::find(b.withHelp.begin(), b.withHelp.end(), id) != b.withHelp.end();
      EXPECT_EQ(GetWindowContextHelpId(child), expectHelp ? HELPID_CONTROL(b.id, static_cast<DWORD>(id)) : 0u)
          << "dialog " << b.id << " control " << id;
      helped += expectHelp ? 1 : 0;
    }
    EXPECT_EQ(helped, b.withHelp.size()) << b.id;
    dialog.DestroyWindow();
  }
}

TEST_F(ContextHelpTest, SheetShowsTheQuestionMarkAndItsHelpButtonAsksThePageShown) {
  CHelpFilePresent file(app.HelpFilePath());
  CHelpPropPage first(IDD_GOTO_NOTE), second(IDD_NOTE_PROPERTIES);
  CHelpPropSheet sheet("Sheet", Frame());
  sheet.AddPage(first);
  sheet.AddPage(second);
  bool questionMark = false, helpButton = false;
  CDialogScript script([&](HWND box) {
    questionMark = (GetWindowLongPtrA(box, GWL_EXSTYLE) & WS_EX_CONTEXTHELP) != 0;
    helpButton = GetDlgItem(box, IDHELP) != nullptr && IsWindowVisible(GetDlgItem(box, IDHELP));
    auto pressHelp = [box] {
      SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDHELP, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDHELP)));
    };
    pressHelp();
    PropSheet_SetCurSel(box, nullptr, 1);
    pressHelp();
    // Plain F1 in a page: its topic; question mark on the sheet's OK: the engine's own text.
    HWND page = PropSheet_GetCurrentPageHwnd(box);
    PressF1(GetDlgItem(page, IDOK), false);
    SendHelp(page, WindowHelp(GetDlgItem(page, IDC_PROPERTIES_NUMBER)));
    SendHelp(box, WindowHelp(GetDlgItem(box, IDOK)));
  });
  sheet.DoModal();
  ASSERT_TRUE(script.ran);
  EXPECT_TRUE(questionMark);
  EXPECT_TRUE(helpButton);
  ASSERT_EQ(help.calls.size(), 4u);
  EXPECT_EQ(help.calls[0].command, static_cast<UINT>(HELP_CONTEXT));
  EXPECT_EQ(help.calls[0].data, 0x2008Bu);
  EXPECT_EQ(help.calls[1].data, 0x20084u);
  EXPECT_EQ(help.calls[2].data, 0x20084u);
  EXPECT_EQ(help.calls[3].command, static_cast<UINT>(HELP_WM_HELP));
  EXPECT_EQ(help.calls[3].pairs, (std::vector<DWORD>{0, 0, 0, 0}));
}

TEST_F(ContextHelpTest, SheetF1OnTheTabsOrInAPageSwitchedAwayFromAsksThePageShown) {
  CHelpFilePresent file(app.HelpFilePath());
  CHelpPropPage first(IDD_GOTO_NOTE), second(IDD_NOTE_PROPERTIES);
  CHelpPropSheet sheet("Sheet", Frame());
  sheet.AddPage(first);
  sheet.AddPage(second);
  CDialogScript script([&](HWND box) {
    HWND left = PropSheet_GetCurrentPageHwnd(box);
    PropSheet_SetCurSel(box, nullptr, 1);
    HWND tabs = PropSheet_GetTabControl(box);
    PressF1(tabs, false);
    SendHelp(box, WindowHelp(tabs));
    HWND number = GetDlgItem(left, IDC_GOTO_NUMBER);
    PressF1(number, false);
    SendHelp(left, WindowHelp(number));
  });
  sheet.DoModal();
  ASSERT_TRUE(script.ran);
  ASSERT_EQ(help.calls.size(), 2u);
  EXPECT_EQ(help.calls[0].data, 0x20084u);
  EXPECT_EQ(help.calls[1].data, 0x20084u);
}

}  // namespace
