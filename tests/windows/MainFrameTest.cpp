// The main window in-process: menu states, caption, status bar, the
// creation hook and the program's messages.
#include "ProgramFixture.h"

#include <commctrl.h>

#include <map>

#include "framework/Handles.h"
#include "res/resource.h"

namespace {

// Every item of menu 128 after WM_INITMENUPOPUP: true for enabled.
std::map<UINT, bool> MenuStates(HWND frame) {
  std::map<UINT, bool> states;
  HMENU bar = GetMenu(frame);
  for (int p = 0; p < GetMenuItemCount(bar); ++p) {
    HMENU popup = GetSubMenu(bar, p);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), p);
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      UINT id = GetMenuItemID(popup, i);
      if (id == 0 || id == static_cast<UINT>(-1)) continue;
      states[id] = (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_GRAYED) == 0;
    }
  }
  return states;
}

UINT CheckState(HWND frame, UINT id) { return GetMenuState(GetMenu(frame), id, MF_BYCOMMAND) & MF_CHECKED; }

using MainFrameTest = ProgramTest;

TEST_F(MainFrameTest, EmptyPadEnablesOnlyWhatIsBuiltAndUseful) {
  const std::map<UINT, bool> states = MenuStates(Frame());
  const std::map<UINT, bool> expected = {
      {ID_NOTE_NEW, true},          {ID_NOTE_DELETE, false},        {ID_SAVE_NOTES, true},
      {ID_FILE_PRINT_SETUP, true},  {ID_FILE_PRINT_PREVIEW, false}, {ID_FILE_PRINT, false},
      {ID_NOTE_PROPERTIES, false},  {ID_APP_QUIT, true},            {ID_EDIT_UNDO, false},
      {ID_EDIT_CUT, false},         {ID_EDIT_COPY, false},          {ID_EDIT_SELECT_ALL, false},
      {ID_FIND, false},             {ID_FIND_NEXT, false},          {ID_VIEW_TOOLBAR, true},
      {ID_VIEW_STATUS_BAR, true},   {ID_VIEW_LIST, true},           {ID_VIEW_NOTE, true},
      {ID_PREFERENCES, true},       {ID_NOTE_NEXT, false},          {ID_NOTE_PREVIOUS, false},
      {ID_NOTE_FIRST, false},       {ID_NOTE_LAST, false},          {ID_NOTE_GOTO, false},
      {ID_NOTE_MOVE, false},        {ID_OPEN_URL, false},           {ID_REMINDERS, false},
      {ID_HELP_FINDER, true},       {ID_HELP_FAQ, true},            {ID_VENDOR_WEB_SITE, false},
      {ID_CHECK_VERSION, false},    {ID_APP_ABOUT, true},
  };
  for (const auto& [id, enabled] : expected) {
    ASSERT_EQ(states.count(id), 1u) << id;
    EXPECT_EQ(states.at(id), enabled) << id;
  }
  // Closing to the tray is not offered without a tray icon.
  EXPECT_EQ(states.count(ID_APP_EXIT), 0u);
  EXPECT_NE(CheckState(Frame(), ID_VIEW_NOTE), 0u);
  EXPECT_EQ(CheckState(Frame(), ID_VIEW_LIST), 0u);
  EXPECT_NE(CheckState(Frame(), ID_VIEW_TOOLBAR), 0u);
}

TEST_F(MainFrameTest, MiddleNoteWithTextEnablesNavigationAndDelete) {
  FillPad({"one", "two", "three"}, 2);
  const std::map<UINT, bool> states = MenuStates(Frame());
  for (UINT id : {ID_NOTE_NEXT, ID_NOTE_PREVIOUS, ID_NOTE_FIRST, ID_NOTE_LAST, ID_NOTE_DELETE, ID_EDIT_SELECT_ALL}) {
    EXPECT_TRUE(states.at(id)) << id;
  }
  EXPECT_TRUE(states.at(ID_FIND));
  EXPECT_FALSE(states.at(ID_FIND_NEXT)) << "nothing searched yet";
  EXPECT_EQ(Caption(), "Quillery - (Note View: Note 2 of 3)");
  EXPECT_TRUE(frame.RouteCommand(ID_NOTE_NEXT));
  EXPECT_EQ(view.GetText(), "three");
  EXPECT_FALSE(MenuStates(Frame()).at(ID_NOTE_NEXT));
}

TEST_F(MainFrameTest, CaptionIsApplicationThenNoteViewTitle) {
  EXPECT_EQ(Caption(), "Quillery - (Note View: Note 1 of 1)");
}

TEST_F(MainFrameTest, StatusBarHasFourPanesAndShowsRemindForAnActiveReminder) {
  HWND bar = GetDlgItem(Frame(), AFX_IDW_STATUS_BAR);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 4);
  auto pane = [bar](int i) {
    char text[256] = {};
    SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return std::string(text);
  };
  EXPECT_EQ(pane(0), "For Help, press F1");
  FillPad({"one", "two"}, 2);
  store.Entry(2).flags = REMINDER_SET | REMINDER_ACTIVE;
  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(pane(1), "REMIND");
  store.currentNote = 1;
  frame.OnIdleUpdateCmdUI();
  EXPECT_EQ(pane(1), "");
  EXPECT_NE(GetDlgItem(Frame(), AFX_IDW_TOOLBAR), nullptr);
}

TEST_F(MainFrameTest, WindowTakesItsRectangleAndBandFromTheSettings) {
  RECT r;
  GetWindowRect(Frame(), &r);
  EXPECT_EQ(r.left, 60);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(r.right - r.left, 480);
  EXPECT_EQ(r.bottom - r.top, 320);
  EXPECT_NE(GetWindowLongPtrA(Frame(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  char name[64];
  GetClassNameA(Frame(), name, sizeof(name));
  EXPECT_STREQ(name, "QuilleryWndClass");
}

TEST_F(MainFrameTest, MovingKeepsTheRectangleButMinimisingOrMaximisingDoesNot) {
  ShowWindow(Frame(), SW_SHOWNOACTIVATE);
  SetWindowPos(Frame(), nullptr, 100, 120, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(settings.noteX, 100);
  EXPECT_EQ(settings.noteY, 120);
  EXPECT_EQ(settings.noteCX, 400);
  EXPECT_EQ(settings.noteCY, 300);
  ShowWindow(Frame(), SW_MAXIMIZE);
  EXPECT_EQ(settings.noteMaximized, 1u);
  EXPECT_EQ(settings.noteCX, 400);
  ShowWindow(Frame(), SW_RESTORE);
  EXPECT_EQ(settings.noteMaximized, 0u);
  ShowWindow(Frame(), SW_MINIMIZE);
  EXPECT_EQ(settings.noteX, 100);
  EXPECT_EQ(settings.noteCX, 400);

  // A second copy brings the window back.
  EXPECT_EQ(SendMessageA(Frame(), WM_APP_ACTIVATE, 0, 0), 1);
  EXPECT_FALSE(IsIconic(Frame()));
}

TEST_F(MainFrameTest, AutoSaveCommitsTheTypedNoteAndWritesTheFile) {
  Type("first note");
  EXPECT_EQ(SendMessageA(Frame(), WM_APP_AUTOSAVE, 0, 0), 0);
  EXPECT_EQ(store.header.noteCount, 1u);
  EXPECT_FALSE(store.dirty);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExA(settings.curFile.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 256u + 20u + 11u);
  EXPECT_TRUE(messages.shown.empty());

  // An emptied editor is not committed by a save: the note stays.
  SetWindowTextA(view.GetSafeHwnd(), "");
  frame.RouteCommand(ID_SAVE_NOTES);
  EXPECT_EQ(store.header.noteCount, 1u);
}

TEST_F(MainFrameTest, FailedSaveIsReportedAndKeepsTheNotes) {
  settings.curFile = "Z:\\no such folder\\at all\\Quillery.dat";
  Type("kept");
  frame.RouteCommand(ID_SAVE_NOTES);
  EXPECT_EQ(store.header.noteCount, 1u);
  EXPECT_TRUE(store.dirty);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text.rfind("Error 3 ", 0), 0u) << messages.shown[0].text;
}

TEST_F(MainFrameTest, EndOfSessionCommitsAndSavesNotesAndAppearance) {
  Type("before logoff");
  EXPECT_EQ(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_EQ(store.header.noteCount, 1u);
  EXPECT_FALSE(store.dirty);
  ASSERT_FALSE(savedGroups.empty());
  EXPECT_EQ(savedGroups.back(), SETTINGS_APPEARANCE);
}

// A notes file that cannot be written at the end: the user is told and
// decides; No keeps the program and the typing.
TEST_F(MainFrameTest, QuitAndCloseWithAnUnwritableFileLeaveOnlyOnYes) {
  settings.curFile = "Z:\\no such folder\\at all\\Quillery.dat";
  Type("typed");
  frame.RouteCommand(ID_APP_QUIT);
  SendMessageA(Frame(), WM_CLOSE, 0, 0);
  ASSERT_NE(frame.GetSafeHwnd(), nullptr);
  ASSERT_EQ(messages.shown.size(), 4u);
  EXPECT_EQ(messages.shown[0].text.rfind("Error 3 ", 0), 0u) << messages.shown[0].text;
  EXPECT_EQ(messages.shown[1].text, LoadResourceString(IDS_ASK_DISCARD_NOTE));
  EXPECT_TRUE(store.dirty);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));

  messages.answers = {MessageAnswer::Yes};
  SendMessageA(Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(store.dirty) << "the save at exit must not report it again";
}

TEST_F(MainFrameTest, QuitCommitsClosesAndPostsTheQuitMessage) {
  Type("last words");
  frame.RouteCommand(ID_APP_QUIT);
  EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
  EXPECT_EQ(store.header.noteCount, 1u);
  EXPECT_STREQ(store.Text(store.Entry(1)), "last words");
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 0u);
}

TEST_F(MainFrameTest, AnOverlongNoteTheUserKeepsHoldsQuitAndTheEndOfTheSession) {
  const std::string longText = LinedText(MAX_NOTE_LENGTH + 5, 'q');
  SendMessageA(view.GetSafeHwnd(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(longText.c_str()));
  messages.answers = {MessageAnswer::No, MessageAnswer::No, MessageAnswer::No, MessageAnswer::No};
  EXPECT_EQ(SendMessageA(Frame(), WM_QUERYENDSESSION, 0, 0), FALSE);
  frame.RouteCommand(ID_APP_QUIT);
  ASSERT_NE(frame.GetSafeHwnd(), nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(view.GetText(), longText);

  messages.answers = {MessageAnswer::Yes};
  frame.RouteCommand(ID_APP_QUIT);
  EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
  EXPECT_EQ(std::string(store.Text(store.Entry(1))), longText.substr(0, MAX_NOTE_LENGTH));
}

TEST_F(MainFrameTest, AboutBoxShowsTheProductInformation) {
  ProductInfo product;
  product.name = "Quillery Test";
  product.versionText = "9.99.999";
  product.legalNotice = "Notice";
  CAboutDlg about(product);
  ASSERT_TRUE(about.Create());
  char text[128];
  GetDlgItemTextA(about.GetSafeHwnd(), IDC_ABOUT_PRODUCT, text, sizeof(text));
  EXPECT_STREQ(text, "Quillery Test");
  GetDlgItemTextA(about.GetSafeHwnd(), IDC_ABOUT_VERSION, text, sizeof(text));
  EXPECT_STREQ(text, "9.99.999");
  GetDlgItemTextA(about.GetSafeHwnd(), IDC_ABOUT_COPYRIGHT, text, sizeof(text));
  EXPECT_STREQ(text, "Notice");
  about.DestroyWindow();
}

TEST_F(MainFrameTest, SplashTakesThePictureSize) {
  CSplashDlg splash;
  ASSERT_TRUE(splash.Create());
  RECT client;
  GetClientRect(splash.GetSafeHwnd(), &client);
  BITMAP picture{};
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
  ASSERT_NE(bitmap, nullptr);
  GetObjectA(bitmap, sizeof(picture), &picture);
  DeleteObject(bitmap);
  EXPECT_EQ(client.right, picture.bmWidth);
  EXPECT_EQ(client.bottom, picture.bmHeight);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(splash.GetSafeHwnd(), IDC_SPLASH_TEXT)));
  splash.DestroyWindow();
}

TEST_F(MainFrameTest, NoteViewAndListAreSystemControlsDrivenByTheirObjects) {
  char name[64] = {};
  GetClassNameA(view.GetSafeHwnd(), name, sizeof name);
  EXPECT_STREQ(name, "Edit");

  settings.listBackgroundColor = 0x123456;
  ASSERT_TRUE(frame.RouteCommand(ID_VIEW_LIST));
  HWND list = FindWindowExA(Frame(), nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_NE(dynamic_cast<CNoteFormView*>(CWnd::FromHandle(list)), nullptr);
  // The list's own background is the object's doing.
  CCreatedDC dc(CreateCompatibleDC(nullptr));
  CBitmapOwner bitmap(CreateBitmap(8, 8, 1, 32, nullptr));
  CSelectObject use(dc.Get(), bitmap.Get());
  SendMessageA(list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
  EXPECT_EQ(GetPixel(dc.Get(), 2, 2), COLORREF{0x123456});
}

}  // namespace

// A start that ends before the settings were read (no memory for the store)
// must not write defaults over the user's values.
TEST(QuilleryAppExit, WritesNoSettingsItNeverLoaded) {
  const char* key = "Software\\Brindle Software\\Quillery";
  RegDeleteTreeA(HKEY_CURRENT_USER, key);
  CQuilleryApp app;
  app.ExitInstance();
  HKEY opened = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened), ERROR_SUCCESS);
  if (opened != nullptr) RegCloseKey(opened);
}

TEST_F(MainFrameTest, TrayIconOffersCloseToTrayAndTakesTheWindowOnCloseAndMinimise) {
  EXPECT_FALSE(frame.TrayIconShown());  // "RunInTray" 0: no icon
  ASSERT_TRUE(frame.SetTrayIcon(true));
  HMENU file = GetSubMenu(GetMenu(Frame()), 0);
  ASSERT_EQ(MenuStates(Frame()).count(ID_APP_EXIT), 1u);
  EXPECT_EQ(GetMenuItemID(file, GetMenuItemCount(file) - 2), static_cast<UINT>(ID_APP_EXIT));

  ShowWindow(Frame(), SW_SHOW);
  SendMessageA(Frame(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(Frame()));
  EXPECT_FALSE(IsIconic(Frame()));
  EXPECT_EQ(SendMessageA(Frame(), WM_APP_TRAY_NOTIFY, IDR_MAINFRAME, WM_LBUTTONDBLCLK), 1);
  EXPECT_TRUE(IsWindowVisible(Frame()));
  SendMessageA(Frame(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(IsWindow(Frame()));
  EXPECT_FALSE(IsWindowVisible(Frame()));

  // A taskbar that restarted gets the icon again.
  SendMessageA(Frame(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(frame.TrayIconShown());
  settings.closeToTray = 0;
  EXPECT_EQ(MenuStates(Frame()).count(ID_APP_EXIT), 0u);
  ASSERT_TRUE(frame.DestroyWindow());
  EXPECT_FALSE(frame.TrayIconShown());
}
