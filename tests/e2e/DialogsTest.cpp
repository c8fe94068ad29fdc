// The Go To Note, Move Note and Note Properties dialogs, driven from
// outside: numbers typed into their fields, buttons pressed by text, and
// the help that F1 asks for where no help file is installed.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

// Answers the program's next message box, which must read `text`.
void Answer(DWORD pid, const std::string& text, const char* button) {
  HWND box = WaitForBox(pid, "Quillery");
  ASSERT_NE(box, nullptr) << "no message box; expected: " << text;
  EXPECT_EQ(BoxText(box), text);
  ASSERT_TRUE(PressButton(box, button));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
}

void SetField(HWND dialog, int id, const char* text) {
  SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Gone(HWND dialog) {
  return WaitFor([&] { return !IsWindow(dialog); });
}

}  // namespace

TEST_F(E2eTest, GoToRefusesNumbersOutsideThePadAndShowsTheChosenNote) {
  Session s({"one", "two", "three", "four", "five"});
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 5)));
  Command(s.main, ID_NOTE_GOTO);
  HWND dialog = WaitForBox(s.pid(), "Go To Note");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_GOTO_NUMBER)), "1");
  for (const char* number : {"0", "6"}) {
    SetField(dialog, IDC_GOTO_NUMBER, number);
    ASSERT_TRUE(PressButton(dialog, "OK"));
    Answer(s.pid(), "Please enter an integer between 1 and 5.", "OK");
    EXPECT_TRUE(IsWindowVisible(dialog)) << number;
  }
  SetField(dialog, IDC_GOTO_NUMBER, "3");
  ASSERT_TRUE(PressButton(dialog, "OK"));
  EXPECT_TRUE(Gone(dialog));
  EXPECT_TRUE(WaitForCaption(s.main, NoteCaption(3, 5))) << WindowText(s.main);
  EXPECT_EQ(WindowText(s.editor), "three");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two", "three", "four", "five"}));
}

TEST_F(E2eTest, MoveNoteBeforeTheFirstAndAfterTheLast) {
  Session s({"one", "two", "three", "four", "five"});
  Command(s.main, ID_NOTE_NEXT);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(3, 5)));

  Command(s.main, ID_NOTE_MOVE);
  HWND dialog = WaitForBox(s.pid(), "Move Note 3 (of 5)");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_MOVE_AFTER_NUMBER)), "3");
  SendMessageA(GetDlgItem(dialog, IDC_MOVE_BEFORE_FIRST), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_AFTER_NUMBER)));
  ASSERT_TRUE(PressButton(dialog, "OK"));
  EXPECT_TRUE(Gone(dialog));
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 5))) << WindowText(s.main);

  Command(s.main, ID_NOTE_MOVE);
  dialog = WaitForBox(s.pid(), "Move Note 1 (of 5)");
  ASSERT_NE(dialog, nullptr);
  // The first note cannot go in front of itself.
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_BEFORE_FIRST)));
  SetField(dialog, IDC_MOVE_AFTER_NUMBER, "5");
  ASSERT_TRUE(PressButton(dialog, "OK"));
  EXPECT_TRUE(Gone(dialog));
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(5, 5))) << WindowText(s.main);
  EXPECT_EQ(WindowText(s.editor), "three");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two", "four", "five", "three"}));
}

TEST_F(E2eTest, PropertiesOfAnUnstoredNewNoteSayNewNote) {
  Session s;
  ASSERT_NE(s.editor, nullptr);
  std::string text;
  for (int i = 0; text.size() <= 65535; ++i) text += "line " + std::to_string(i) + "\r\n";
  PasteText(s.main, text);
  ASSERT_TRUE(WaitFor([&] { return WindowText(s.editor).size() == text.size(); }));
  Command(s.main, ID_NOTE_PROPERTIES);
  // Keep the note as it is (No), and go on without storing it (Yes).
  HWND box = WaitForBox(s.pid(), "Quillery");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(BoxText(box).find("65535"), std::string::npos);
  ASSERT_TRUE(PressButton(box, "No"));
  ASSERT_TRUE(Gone(box));
  Answer(s.pid(), "Current note could not be saved. Is it OK to discard changes?", "Yes");
  HWND dialog = WaitForBox(s.pid(), "Note Properties");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PROPERTIES_NUMBER)), "Note 1 of 1");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PROPERTIES_CREATED)), "New Note");
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_PROPERTIES_MODIFIED)), "");
  ASSERT_TRUE(PressButton(dialog, "Close"));
  EXPECT_TRUE(Gone(dialog));
  SendMessageA(s.editor, EM_SETSEL, 0, -1);
  SendMessageA(s.editor, WM_CLEAR, 0, 0);
  EXPECT_EQ(s.QuitAndRead(), NotesFileImage({}));
}

// Without help pages F1 says so; with them it starts the program registered
// for web pages with the dialog's page.
TEST_F(E2eTest, F1InADialogOpensItsHelpPageOrSaysThatHelpIsNotInstalled) {
  Session s({"one", "two"});
  Command(s.main, ID_NOTE_GOTO);
  HWND dialog = WaitForBox(s.pid(), "Go To Note");
  ASSERT_NE(dialog, nullptr);
  auto pressF1 = [dialog] {
    SetForegroundWindow(dialog);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  };
  pressF1();
  HWND box = WaitForBox(s.pid(), "Quillery");
  ASSERT_NE(box, nullptr);
  const std::string pages = s.folder.dir() + "help\\";
  EXPECT_EQ(BoxText(box), "Help for Quillery is not installed. The help file\n\n\t" + pages +
                              "go-to-note.html\n\nwas not found beside the program.");
  ASSERT_TRUE(PressButton(box, "OK"));
  ASSERT_TRUE(Gone(box));

  CreateDirectoryA(pages.c_str(), nullptr);
  WriteFileBytes(pages + "go-to-note.html", {});
  const std::string record = s.folder.dir() + "url.txt";
  RegisterPageHandler(record);
  pressF1();
  EXPECT_TRUE(WaitFor([&] { return FileExists(record) && !ReadFileBytes(record).empty(); }));
  UnregisterPageHandler();
  std::string url = "file:///" + pages + "go-to-note.html";
  std::replace(url.begin(), url.end(), '\\', '/');
  const Bytes recorded = ReadFileBytes(record);
  EXPECT_EQ(std::string(recorded.begin(), recorded.end()), url);
  ASSERT_TRUE(PressButton(dialog, "OK"));
  EXPECT_TRUE(Gone(dialog));
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two"}));
}
