// The window in the tray: hiding on close and minimise, coming back from
// the icon, a quiet start, and a quit from the tray over an open dialog.
// The driver sends the icon's notifications as the shell would.
#include <windows.h>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

void TrayMouse(HWND main, UINT mouseMessage) {
  PostMessageA(main, WM_APP_TRAY_NOTIFY, IDR_MAINFRAME, mouseMessage);
}

// Alt+F4 as the keyboard delivers it to the focused editor.
void AltF4(HWND target) {
  PostMessageA(target, WM_SYSKEYDOWN, VK_F4, 1 | (0x3E << 16) | (1 << 29));
  PostMessageA(target, WM_SYSKEYUP, VK_F4, 1 | (0x3E << 16) | (1 << 29) | (3u << 30));
}

bool Hidden(HWND main) {
  return WaitFor([&] { return !IsWindowVisible(main); });
}

bool Shown(HWND main) {
  return WaitFor([&] { return IsWindowVisible(main) && !IsIconic(main); });
}

void NoCloseToTray() { WriteDword("General", "CloseToTray", 0); }
void NoTray() { WriteDword("General", "RunInTray", 0); }

}  // namespace

TEST_F(E2eTest, CloseAndMinimiseHideIntoTheTrayAndTheIconBringsTheWindowBack) {
  Session s({"one"});
  ASSERT_NE(s.editor, nullptr);
  AltF4(s.editor);
  ASSERT_TRUE(Hidden(s.main));
  EXPECT_TRUE(s.program->Running());
  TrayMouse(s.main, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(Shown(s.main));

  PostMessageA(s.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(Hidden(s.main));
  EXPECT_FALSE(IsIconic(s.main));
  Command(s.main, ID_TRAY_OPEN);
  ASSERT_TRUE(Shown(s.main));
  // The close box hides too.
  PostMessageA(s.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Hidden(s.main));
  // "New Note" from the tray shows the window with an empty new note.
  Command(s.main, ID_TRAY_NEW_NOTE);
  ASSERT_TRUE(Shown(s.main));
  EXPECT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2))) << WindowText(s.main);
  TypeText(s.editor, "two");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two"}));
}

TEST_F(E2eTest, WithoutCloseToTrayAltF4SavesAndEnds) {
  Session s({}, NoCloseToTray);
  ASSERT_NE(s.editor, nullptr);
  TypeText(s.editor, "kept");
  AltF4(s.editor);
  ASSERT_TRUE(s.program->WaitForExit());
  EXPECT_EQ(s.program->ExitCode(), 0u);
  EXPECT_EQ(NoteTexts(ReadFileBytes(s.folder.notesFile())), std::vector<std::string>{"kept"});
}

TEST_F(E2eTest, WithoutTheTrayMinimiseMinimisesAndCloseEnds) {
  Session s({"one"}, NoTray);
  PostMessageA(s.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(s.main) != FALSE; }));
  EXPECT_TRUE(IsWindowVisible(s.main));
  PostMessageA(s.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(s.program->WaitForExit());
}

TEST_F(E2eTest, QuietStartShowsOnlyTheTrayIcon) {
  ProgramFolder folder;
  Program program(folder, "-quiet");
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = FindMainWindow()) != nullptr && !WindowText(main).empty(); }));
  // Long enough for a start-up that would show it.
  EXPECT_FALSE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 2000));
  TrayMouse(main, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(Shown(main));
  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program.WaitForExit());
}

TEST_F(E2eTest, TrayCommandsOverAnOpenDialogWaitForItAndLoseNothing) {
  Session s({"one", "two"});
  ASSERT_NE(s.editor, nullptr);
  Command(s.main, ID_NOTE_PROPERTIES);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowA("#32770", "Note Properties")) != nullptr; }));
  // The new note waits for the dialog (nothing to wait for but time).
  Command(s.main, ID_TRAY_NEW_NOTE);
  EXPECT_FALSE(WaitFor([&] { return WindowText(s.main) == NoteCaption(3, 3); }, 1000));
  ASSERT_TRUE(IsWindow(dialog));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(3, 3))) << WindowText(s.main);
  TypeText(s.editor, "three");

  // Quit from the tray ends the dialog first, then stores the note edited
  // after the dialog opened (as under a reminder popup).
  Command(s.main, ID_NOTE_PROPERTIES);
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowA("#32770", "Note Properties")) != nullptr; }));
  TypeText(s.editor, " more");
  Command(s.main, ID_APP_QUIT);
  ASSERT_TRUE(s.program->WaitForExit());
  EXPECT_EQ(s.program->ExitCode(), 0u);
  EXPECT_EQ(NoteTexts(ReadFileBytes(s.folder.notesFile())), (std::vector<std::string>{"one", "two", "three more"}));
}
