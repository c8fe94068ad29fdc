// The frame, its views and the document in-process: command routing,
// command states in menus, toolbar and status bar, accelerators, view
// switching and closing.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/Win32Messages.h"
#include "framework/App.h"
#include "framework/Frame.h"
#include "framework/FrameworkIds.h"
#include "res/resource.h"

namespace {

constexpr UINT CMD_VIEW_AND_DOC = 1001;
constexpr UINT CMD_DOC = 1002;
constexpr UINT CMD_FRAME = 1003;
constexpr UINT CMD_APP = 1004;
constexpr UINT CMD_NOBODY = 1005;
constexpr UINT CMD_LIST = 1006;

std::vector<std::string> calls;

class CTestApp : public CWinApp {
 public:
  bool InitInstance() override { return true; }
  bool OnCommand(UINT id) override {
    if (id != CMD_APP) return CWinApp::OnCommand(id);
    calls.push_back("app");
    return true;
  }
  bool OnUpdateCommand(CCmdUI& ui) override {
    if (ui.id != CMD_APP) return CWinApp::OnUpdateCommand(ui);
    ui.Enable();
    return true;
  }
};

class CTestDoc : public CDocument {
 public:
  bool OnCommand(UINT id) override { return RunFromTable(this, COMMANDS, id); }
  bool OnUpdateCommand(CCmdUI& ui) override { return UpdateFromTable(this, COMMANDS, ui); }
  bool SaveModified() override { return allowClose; }
  void OnViewAndDoc() { calls.push_back("doc 1001"); }
  void OnDoc() { calls.push_back("doc 1002"); }
  void OnUpdateDoc(CCmdUI& ui) { ui.Enable(docEnabled); }

  bool docEnabled = true;
  bool allowClose = true;
  static const CommandEntry<CTestDoc> COMMANDS[2];
};
const CCmdTarget::CommandEntry<CTestDoc> CTestDoc::COMMANDS[] = {
    {CMD_VIEW_AND_DOC, &CTestDoc::OnViewAndDoc, nullptr},
    {CMD_DOC, &CTestDoc::OnDoc, &CTestDoc::OnUpdateDoc},
};

class CTestEditView : public CEditView {
 public:
  bool OnCommand(UINT id) override {
    if (id != CMD_VIEW_AND_DOC) return CEditView::OnCommand(id);
    calls.push_back("view 1001");
    return true;
  }
  bool OnUpdateCommand(CCmdUI& ui) override {
    if (ui.id != CMD_VIEW_AND_DOC) return CEditView::OnUpdateCommand(ui);
    ui.Enable();
    return true;
  }

 protected:
  bool OnContextMenu(int x, int y) override {
    calls.push_back("menu " + std::to_string(x) + "," + std::to_string(y));
    if (x == 13) throw std::bad_alloc();
    return true;
  }
};

class CTestListView : public CListView {
 public:
  bool OnCommand(UINT id) override {
    if (id != CMD_LIST) return false;
    calls.push_back("list");
    return true;
  }
  bool OnUpdateCommand(CCmdUI& ui) override {
    if (ui.id != CMD_LIST) return false;
    ui.Enable();
    return true;
  }

 protected:
  void DrawItem(const DRAWITEMSTRUCT&) override {}
};

class CTestFrame : public CFrameWnd {
 public:
  bool OnCommand(UINT id) override {
    if (id != CMD_FRAME) return CFrameWnd::OnCommand(id);
    calls.push_back("frame");
    return true;
  }
  bool OnUpdateCommand(CCmdUI& ui) override {
    if (ui.id != CMD_FRAME) return CFrameWnd::OnUpdateCommand(ui);
    ui.Enable();
    ui.SetCheck(frameChecked);
    return true;
  }
  void UseAccelerators(HACCEL table) { accelerators = table; }

  bool frameChecked = false;
  CTestEditView editView;
  CTestListView listView;
  CToolBar toolBar;
  CStatusBar statusBar;
};

class FrameworkFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    CFrameWnd::CCreateContext context{&doc, &frame.editView};
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, &context));
    app.SetMainWnd(&frame);
    frame.RecalcLayout();
  }
  void TearDown() override {
    if (frame.GetSafeHwnd() != nullptr) frame.DestroyWindow();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  UINT MenuState(HMENU menu, UINT id) { return GetMenuState(menu, id, MF_BYCOMMAND); }

  CTestApp app;
  CTestDoc doc;
  CTestFrame frame;
};

TEST_F(FrameworkFrameTest, CommandsGoToViewThenDocumentThenFrameThenApplication) {
  EXPECT_TRUE(frame.RouteCommand(CMD_VIEW_AND_DOC));
  EXPECT_TRUE(frame.RouteCommand(CMD_DOC));
  EXPECT_TRUE(frame.RouteCommand(CMD_FRAME));
  EXPECT_TRUE(frame.RouteCommand(CMD_APP));
  EXPECT_FALSE(frame.RouteCommand(CMD_NOBODY));
  EXPECT_EQ(calls, (std::vector<std::string>{"view 1001", "doc 1002", "frame", "app"}));

  // WM_COMMAND from a menu takes the same road.
  calls.clear();
  SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CMD_DOC, 0), 0);
  EXPECT_EQ(calls, (std::vector<std::string>{"doc 1002"}));

  // A feature's table comes after the frame and before the application.
  static struct CFeature : CCmdTarget {
    bool OnCommand(UINT id) override {
      if (id != CMD_APP && id != CMD_FRAME) return false;
      calls.push_back("feature");
      return true;
    }
  } feature;
  frame.AddCommandTarget(feature);
  calls.clear();
  EXPECT_TRUE(frame.RouteCommand(CMD_FRAME));
  EXPECT_TRUE(frame.RouteCommand(CMD_APP));
  EXPECT_EQ(calls, (std::vector<std::string>{"frame", "feature"}));
}

TEST_F(FrameworkFrameTest, MenuItemsTakeTheirStateAndUnhandledOnesAreDisabled) {
  HMENU popup = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuA(sub, MF_STRING, CMD_NOBODY, "Nobody");
  for (UINT id : {CMD_VIEW_AND_DOC, CMD_DOC, CMD_FRAME, CMD_APP, CMD_NOBODY}) {
    AppendMenuA(popup, MF_STRING, id, "item");
  }
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "Sub");
  doc.docEnabled = false;
  frame.frameChecked = true;

  SendMessageA(frame.GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);

  EXPECT_EQ(MenuState(popup, CMD_VIEW_AND_DOC) & MF_GRAYED, 0u);
  EXPECT_NE(MenuState(popup, CMD_DOC) & MF_GRAYED, 0u);
  EXPECT_EQ(MenuState(popup, CMD_FRAME) & (MF_GRAYED | MF_CHECKED), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(MenuState(popup, CMD_APP) & MF_GRAYED, 0u);
  EXPECT_NE(MenuState(popup, CMD_NOBODY) & MF_GRAYED, 0u);
  // A sub-menu is not disabled only because its first item has no handler.
  EXPECT_EQ(GetMenuState(popup, 6, MF_BYPOSITION) & MF_GRAYED, 0u);

  doc.docEnabled = true;
  SendMessageA(frame.GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_EQ(MenuState(popup, CMD_DOC) & MF_GRAYED, 0u);
  DestroyMenu(popup);
}

TEST_F(FrameworkFrameTest, ToolbarButtonsFollowTheHandlersAtIdle) {
  ASSERT_TRUE(frame.toolBar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE));
  TBBUTTON buttons[3] = {};
  const UINT ids[3] = {CMD_DOC, CMD_NOBODY, CMD_FRAME};
  for (int i = 0; i < 3; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = static_cast<int>(ids[i]);
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
  }
  HWND bar = frame.toolBar.GetSafeHwnd();
  SendMessageA(bar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
  ShowWindow(frame.GetSafeHwnd(), SW_SHOWNOACTIVATE);
  frame.frameChecked = true;

  EXPECT_FALSE(app.OnIdle(0));
  EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONENABLED, CMD_DOC, 0));
  EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, CMD_NOBODY, 0));
  EXPECT_TRUE(SendMessageA(bar, TB_ISBUTTONCHECKED, CMD_FRAME, 0));

  doc.docEnabled = false;
  app.OnIdle(0);
  EXPECT_FALSE(SendMessageA(bar, TB_ISBUTTONENABLED, CMD_DOC, 0));

  // A click on a button is a command like any other.
  SendMessageA(frame.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(CMD_FRAME, BN_CLICKED), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(calls, (std::vector<std::string>{"frame"}));
}

TEST_F(FrameworkFrameTest, ToolbarLoadsItsButtonTableAndBitmap) {
  if (FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(RT_TOOLBAR_TYPE)) == nullptr) {
    GTEST_SKIP() << "no toolbar resource";
  }
  ASSERT_TRUE(frame.toolBar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE));
  ASSERT_TRUE(frame.toolBar.LoadToolBar(IDR_MAINFRAME));
  HWND bar = frame.toolBar.GetSafeHwnd();
  EXPECT_GT(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 0);
  TBBUTTON first{};
  SendMessageA(bar, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_EQ(first.iBitmap, 0);
  EXPECT_NE(first.idCommand, 0);
  EXPECT_GE(LOWORD(SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0)), 24);
}

TEST_F(FrameworkFrameTest, AcceleratorsReachEnabledHandlersOnly) {
  ACCEL keys[] = {{FVIRTKEY, VK_F3, CMD_FRAME}, {FVIRTKEY, VK_F4, CMD_DOC}};
  HACCEL table = CreateAcceleratorTableA(keys, 2);
  frame.UseAccelerators(table);
  doc.docEnabled = false;
  auto press = [this](WPARAM key) {
    MSG msg{frame.editView.GetSafeHwnd(), WM_KEYDOWN, key, 0, 0, {0, 0}};
    return app.PreTranslateMessage(msg);
  };
  EXPECT_TRUE(press(VK_F3));
  EXPECT_TRUE(press(VK_F4));  // translated, but its command is disabled
  EXPECT_FALSE(press(VK_F5));
  EXPECT_EQ(calls, (std::vector<std::string>{"frame"}));
  frame.UseAccelerators(nullptr);
  DestroyAcceleratorTable(table);
}

TEST_F(FrameworkFrameTest, StatusBarShowsPromptsIdleTextAndIndicators) {
  if (LoadResourceString(ID_INDICATOR_CAPS).empty()) GTEST_SKIP() << "no string table";
  ASSERT_TRUE(frame.statusBar.Create(frame, WS_CHILD | WS_VISIBLE));
  const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
  ASSERT_TRUE(frame.statusBar.SetIndicators(indicators, 3));
  EXPECT_EQ(frame.statusBar.GetPaneText(0), LoadResourceString(AFX_IDS_IDLEMESSAGE));
  ShowWindow(frame.GetSafeHwnd(), SW_SHOWNOACTIVATE);

  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CAPITAL] = 1;
  keys[VK_NUMLOCK] = 0;
  SetKeyboardState(keys);
  app.OnIdle(0);
  EXPECT_EQ(frame.statusBar.GetPaneText(1), LoadResourceString(ID_INDICATOR_CAPS));
  EXPECT_EQ(frame.statusBar.GetPaneText(2), "");
  keys[VK_CAPITAL] = 0;
  SetKeyboardState(keys);
  app.OnIdle(0);
  EXPECT_EQ(frame.statusBar.GetPaneText(1), "");

  SendMessageA(frame.GetSafeHwnd(), WM_MENUSELECT, MAKEWPARAM(ID_APP_EXIT, MF_STRING), 0);
  EXPECT_EQ(frame.statusBar.GetPaneText(0), framework::CommandPrompt(ID_APP_EXIT));
  EXPECT_EQ(frame.statusBar.GetPaneText(0).find('\n'), std::string::npos);
  SendMessageA(frame.GetSafeHwnd(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame.statusBar.GetPaneText(0), LoadResourceString(AFX_IDS_IDLEMESSAGE));

  // Tooltips are the text after the prompt's line break.
  NMTTDISPINFOA info{};
  info.hdr.code = TTN_GETDISPINFOA;
  info.hdr.idFrom = ID_APP_EXIT;
  SendMessageA(frame.GetSafeHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(std::string(info.lpszText), framework::CommandTooltip(ID_APP_EXIT));
  EXPECT_FALSE(std::string(info.lpszText).empty());
}

TEST_F(FrameworkFrameTest, CaptionIsApplicationTitleThenDocumentTitle) {
  doc.SetTitle("(Note View: Note 1 of 1)");
  char caption[256];
  GetWindowTextA(frame.GetSafeHwnd(), caption, sizeof(caption));
  EXPECT_EQ(std::string(caption), frame.GetTitle() + " - (Note View: Note 1 of 1)");
}

TEST_F(FrameworkFrameTest, SwappedViewFillsThePaneAndReceivesCommands) {
  ASSERT_TRUE(frame.listView.Create(frame, AFX_IDW_PANE_FIRST + 1));
  frame.SwitchToView(frame.listView);
  EXPECT_EQ(frame.listView.GetDlgCtrlId(), AFX_IDW_PANE_FIRST);
  EXPECT_FALSE(IsWindowVisible(frame.editView.GetSafeHwnd()));

  RECT client, list;
  GetClientRect(frame.GetSafeHwnd(), &client);
  GetWindowRect(frame.listView.GetSafeHwnd(), &list);
  EXPECT_EQ(list.right - list.left, client.right - client.left);
  EXPECT_EQ(list.bottom - list.top, client.bottom - client.top);

  EXPECT_TRUE(frame.RouteCommand(CMD_LIST));
  EXPECT_TRUE(frame.RouteCommand(CMD_VIEW_AND_DOC));  // now the document's
  EXPECT_EQ(calls, (std::vector<std::string>{"list", "doc 1001"}));
  EXPECT_EQ(frame.listView.GetDocument(), &doc);
  EXPECT_EQ(frame.editView.GetDocument(), nullptr);

  frame.SwitchToView(frame.editView);  // and back
  EXPECT_EQ(frame.GetActiveView(), &frame.editView);
  EXPECT_EQ(frame.editView.GetDlgCtrlId(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(frame.editView.GetDocument(), &doc);
}

TEST_F(FrameworkFrameTest, EditViewCommandsWorkOnTheControl) {
  frame.editView.SetText("hello world");
  CTestCmdUI selectAll(ID_EDIT_SELECT_ALL), copy(ID_EDIT_COPY);
  frame.RouteUpdate(copy);
  EXPECT_FALSE(copy.enabled);
  frame.RouteUpdate(selectAll);
  EXPECT_TRUE(selectAll.enabled);
  EXPECT_TRUE(frame.RouteCommand(ID_EDIT_SELECT_ALL));
  CTestCmdUI copyAgain(ID_EDIT_COPY);
  frame.RouteUpdate(copyAgain);
  EXPECT_TRUE(copyAgain.enabled);
  EXPECT_EQ(frame.editView.GetText(), "hello world");
  EXPECT_EQ(frame.editView.TextLength(), 11);
}

TEST_F(FrameworkFrameTest, ContextMenuCoordinatesAndExceptionsStayInside) {
  HWND view = frame.editView.GetSafeHwnd();
  SendMessageA(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(-20, 30));
  SendMessageA(view, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view), MAKELPARAM(13, 1));
  EXPECT_EQ(calls, (std::vector<std::string>{"menu -20,30", "menu 13,1"}));
  EXPECT_TRUE(IsWindow(view));
}

TEST_F(FrameworkFrameTest, CloseAsksTheDocumentAndDestroysFrameAndViews) {
  doc.allowClose = false;
  SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
  ASSERT_NE(frame.GetSafeHwnd(), nullptr);

  doc.allowClose = true;
  HWND view = frame.editView.GetSafeHwnd();
  SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(frame.GetSafeHwnd(), nullptr);
  EXPECT_FALSE(IsWindow(view));
  EXPECT_TRUE(doc.GetViews().empty());
  EXPECT_EQ(app.GetMainWnd(), nullptr);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Notes the window's first and last messages and answers one of its own.
class CRecordingListView : public CTestListView {
 public:
  std::vector<UINT> seen;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NCCREATE || message == WM_CREATE || message == WM_NCDESTROY || message == WM_APP) {
      seen.push_back(message);
    }
    if (message == WM_APP) return 42;
    return CTestListView::WindowProc(message, wParam, lParam);
  }
};

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST_F(FrameworkFrameTest, ViewsKeepTheSystemClassNamesAndTheirObjectsSeeEveryMessage) {
  EXPECT_EQ(ClassName(frame.editView.GetSafeHwnd()), "Edit");
  // Bound from creation: WM_CREATE set the largest text limit.
  EXPECT_GT(SendMessageA(frame.editView.GetSafeHwnd(), EM_GETLIMITTEXT, 0, 0), 0x10000);

  CRecordingListView list;
  ASSERT_TRUE(list.Create(frame, AFX_IDW_PANE_FIRST + 1));
  HWND window = list.GetSafeHwnd();
  EXPECT_EQ(ClassName(window), WC_LISTVIEWA);
  EXPECT_EQ(CWnd::FromHandle(window), &list);
  EXPECT_EQ(SendMessageA(window, WM_APP, 0, 0), 42);
  EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 0);

  list.DestroyWindow();
  EXPECT_EQ(list.seen, (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_APP, WM_NCDESTROY}));
  EXPECT_EQ(list.GetSafeHwnd(), nullptr);
  EXPECT_EQ(CWnd::FromHandle(window), nullptr);
}

TEST_F(FrameworkFrameTest, ListObjectThatDiesFirstTakesItsControlAlong) {
  auto list = std::make_unique<CRecordingListView>();
  ASSERT_TRUE(list->Create(frame, AFX_IDW_PANE_FIRST + 1));
  HWND window = list->GetSafeHwnd();
  list.reset();
  EXPECT_FALSE(IsWindow(window));
  // A late notification from it finds no object to reach.
  NMHDR late{window, AFX_IDW_PANE_FIRST + 1, NM_CLICK};
  EXPECT_EQ(SendMessageA(frame.GetSafeHwnd(), WM_NOTIFY, late.idFrom, reinterpret_cast<LPARAM>(&late)), 0);
}

// The creation hook may register a copy of the proposed class under its own
// name and change the rectangle and extended style; the copy still binds.
class CNamedFrame : public CFrameWnd {
 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExA(cs.hInstance, "FrameworkTestWndClass", &wc)) {
      if (!GetClassInfoExA(cs.hInstance, cs.lpszClass, &wc)) return false;
      wc.cbSize = sizeof(wc);
      wc.lpszClassName = "FrameworkTestWndClass";
      if (!RegisterClassExA(&wc)) return false;
    }
    cs.lpszClass = "FrameworkTestWndClass";
    cs.x = 50;
    cs.y = 38;
    cs.cx = 512;
    cs.cy = 328;
    cs.dwExStyle |= WS_EX_TOPMOST;
    return CFrameWnd::PreCreateWindow(cs);
  }
};

TEST(FrameworkWindowTest, CreationHookChoosesClassRectangleAndExtendedStyle) {
  CTestApp app;
  CNamedFrame frame;
  ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr));
  EXPECT_EQ(FindWindowA("FrameworkTestWndClass", nullptr), frame.GetSafeHwnd());
  EXPECT_EQ(CWnd::FromHandle(frame.GetSafeHwnd()), &frame);
  RECT r;
  GetWindowRect(frame.GetSafeHwnd(), &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.bottom - r.top, 328);
  EXPECT_NE(GetWindowLongPtrA(frame.GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(FrameworkWindowTest, ObjectThatDiesFirstTakesItsWindowAlong) {
  CTestApp app;
  CTestDoc doc;
  HWND window = nullptr;
  {
    CTestFrame frame;
    CFrameWnd::CCreateContext context{&doc, &frame.editView};
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, &context));
    window = frame.GetSafeHwnd();
    EXPECT_EQ(CWnd::FromHandle(window), &frame);
    app.SetMainWnd(&frame);
  }
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(app.GetMainWnd(), nullptr);
  EXPECT_TRUE(doc.GetViews().empty());
}

}  // namespace
