// The note view in-process: wrapping, tab stops, colours, change tracking,
// the insertions, long texts and the context menu.
#include "ProgramFixture.h"
#include "framework/Handles.h"
#include "res/resource.h"

namespace {

using NoteViewTest = ProgramTest;

TEST_F(NoteViewTest, WrapsWithoutHorizontalScrolling) {
  const LONG_PTR style = GetWindowLongPtrA(view.GetSafeHwnd(), GWL_STYLE);
  EXPECT_EQ(style & WS_HSCROLL, 0);
  EXPECT_EQ(style & ES_AUTOHSCROLL, 0);
  EXPECT_NE(style & ES_MULTILINE, 0);
  std::string words;
  for (int i = 0; i < 100; ++i) words += "word ";
  view.SetText(words);
  EXPECT_GT(SendMessageA(view.GetSafeHwnd(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(NoteViewTest, TabStopsAreTabsTimesFourDialogUnits) {
  HWND edit = view.GetSafeHwnd();
  view.SetText("\tX");
  auto tabEnd = [edit] {
    LRESULT start = SendMessageA(edit, EM_POSFROMCHAR, 0, 0);
    LRESULT after = SendMessageA(edit, EM_POSFROMCHAR, 1, 0);
    return static_cast<int>(static_cast<short>(LOWORD(after)) - static_cast<short>(LOWORD(start)));
  };
  const int eight = tabEnd();  // "Tabs" 8 from the document
  settings.tabs = 4;
  view.SetTabStops(static_cast<int>(settings.tabs) * 4);
  const int four = tabEnd();
  EXPECT_GT(four, 0);
  EXPECT_NEAR(eight, 2 * four, 2);
}

TEST_F(NoteViewTest, ColoursFollowTheSettingsAtTheNextPaint) {
  HWND edit = view.GetSafeHwnd();
  CWindowDC dc(edit);
  auto colourRequest = [&] {
    return reinterpret_cast<HBRUSH>(
        SendMessageA(Frame(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(edit)));
  };
  auto brushColour = [](HBRUSH brush) {
    LOGBRUSH info{};
    GetObjectA(brush, sizeof(info), &info);
    return info.lbColor;
  };
  HBRUSH first = colourRequest();
  EXPECT_EQ(brushColour(first), COLORREF{0x80FFFF});
  EXPECT_EQ(GetTextColor(dc.Get()), COLORREF{0xFF0000});
  EXPECT_EQ(colourRequest(), first);

  settings.backgroundColor = 0x00FF00;
  settings.foregroundColor = 0x000080;
  HBRUSH second = colourRequest();
  EXPECT_EQ(brushColour(second), COLORREF{0x00FF00});
  EXPECT_EQ(GetBkColor(dc.Get()), COLORREF{0x00FF00});
  EXPECT_EQ(GetTextColor(dc.Get()), COLORREF{0x000080});
}

TEST_F(NoteViewTest, TypingMarksTheTextChangedAndLoadingClearsIt) {
  EXPECT_FALSE(view.textChanged);
  Type("a");
  EXPECT_TRUE(view.textChanged);
  EXPECT_TRUE(doc.IsModified());
  view.LoadCurrentNoteText("loaded");
  EXPECT_FALSE(view.textChanged);
  EXPECT_EQ(view.GetText(), "loaded");
}

TEST_F(NoteViewTest, InsertedDateAndTimeReplacesTheSelectionAndUndoRestoresIt) {
  HWND edit = view.GetSafeHwnd();
  view.LoadCurrentNoteText("hello world");
  SendMessageA(edit, EM_SETSEL, 6, 11);
  std::string before = FormatCurrentTime("%c");
  ASSERT_TRUE(frame.RouteCommand(ID_INSERT_DATE_TIME));
  std::string after = FormatCurrentTime("%c");
  const std::string text = view.GetText();
  EXPECT_TRUE(text == "hello " + before || text == "hello " + after) << text;
  EXPECT_FALSE(before.empty());
  EXPECT_TRUE(view.textChanged);
  ASSERT_TRUE(frame.RouteCommand(ID_EDIT_UNDO));
  EXPECT_EQ(view.GetText(), "hello world");
}

TEST_F(NoteViewTest, WeekdayIsInsertedAtTheCaret) {
  view.LoadCurrentNoteText("Today: ");
  SendMessageA(view.GetSafeHwnd(), EM_SETSEL, 7, 7);
  ASSERT_TRUE(frame.RouteCommand(ID_INSERT_WEEKDAY));
  static const char* const DAYS[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  const std::string text = view.GetText();
  bool found = false;
  for (const char* day : DAYS) found = found || text == std::string("Today: ") + day;
  EXPECT_TRUE(found) << text;
}

TEST_F(NoteViewTest, TextsLongerThanANoteAreAcceptedAndTheCommitAsks) {
  HWND edit = view.GetSafeHwnd();
  const std::string full = LinedText(MAX_NOTE_LENGTH, 'a');
  view.SetText(full);
  SendMessageA(edit, EM_SETSEL, MAX_NOTE_LENGTH, MAX_NOTE_LENGTH);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bcd"));
  EXPECT_EQ(view.TextLength(), static_cast<int>(MAX_NOTE_LENGTH) + 3);
  ASSERT_TRUE(view.textChanged);

  messages.answers = {MessageAnswer::No};
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, LoadResourceString(IDS_ASK_TRUNCATE_NOTE));
  EXPECT_EQ(store.header.noteCount, 0u);

  messages.answers = {MessageAnswer::Yes};
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(store.header.noteCount, 1u);
  EXPECT_EQ(std::string(store.Text(store.Entry(1))), full);
}

TEST_F(NoteViewTest, ContextMenuOffersCloseToTrayOnlyWhileTheFrameDoes) {
  CMenuOwner menu;
  HMENU popup = LoadNoteContextMenu(menu);
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetMenuDefaultItem(popup, TRUE, 0), 0u);
  EXPECT_EQ(GetMenuItemID(popup, 0), static_cast<UINT>(ID_EDIT_UNDO));
  // Without the tray icon the frame takes the item out as the menu opens.
  ASSERT_FALSE(frame.OffersCloseToTray());
  SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
  EXPECT_EQ(GetMenuState(popup, ID_APP_EXIT, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(popup, ID_APP_QUIT, MF_BYCOMMAND), static_cast<UINT>(-1));
}

}  // namespace
