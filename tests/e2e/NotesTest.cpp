// Typing, creating, navigating and deleting notes through the new-note slot.
#include <ctime>
#include <memory>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

// Pastes about 70,000 characters into the editor.
std::string PasteOverlongText(const Session& s) {
  std::string text;
  for (int i = 0; text.size() < 70000; ++i) text += "line " + std::to_string(i) + "\r\n";
  PasteText(s.main, text);
  EXPECT_TRUE(WaitFor([&] { return WindowText(s.editor).size() == text.size(); }));
  return text;
}

// Answers the 922 question (too long) and waits until it is gone.
void AnswerTooLong(const Session& s, const char* button) {
  MessageBoxInfo box = WaitForMessageBox(s.pid());
  ASSERT_NE(box.window, nullptr);
  EXPECT_NE(box.text.find("65535"), std::string::npos) << box.text;
  ASSERT_TRUE(PressButton(box.window, button));
  WaitFor([&] { return !IsWindow(box.window); });
}

}  // namespace

TEST_F(E2eTest, TwoTypedNotesGiveTheByteExactFile) {
  const int32_t before = static_cast<int32_t>(time(nullptr));
  Session s;
  ASSERT_NE(s.editor, nullptr);
  TypeText(s.editor, "a");
  Command(s.main, ID_NOTE_NEW);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2))) << WindowText(s.main);
  EXPECT_EQ(WindowText(s.editor), "");
  TypeText(s.editor, "bc");
  const Bytes file = s.QuitAndRead();
  const int32_t after = static_cast<int32_t>(time(nullptr));

  ASSERT_EQ(file.size(), 256u + 40u + 5u);
  EXPECT_EQ(ReadU32(file, 8), 2u);
  EXPECT_EQ(ReadU32(file, 12), 20u);
  EXPECT_EQ(ReadU32(file, 256 + 8), 0u);
  EXPECT_EQ(ReadU32(file, 276 + 8), 2u);
  for (size_t record : {256u, 276u}) {
    const int32_t created = static_cast<int32_t>(ReadU32(file, record));
    EXPECT_GE(created, before);
    EXPECT_LE(created, after);
    EXPECT_EQ(ReadU32(file, record + 4), static_cast<uint32_t>(created));
    EXPECT_EQ(ReadU32(file, record + 12), 0u);
  }
  EXPECT_EQ(Bytes(file.end() - 5, file.end()), (Bytes{'a', 0, 'b', 'c', 0}));
}

TEST_F(E2eTest, EmptyPadStoresNothingUntilTextIsTyped) {
  Session s;
  ASSERT_NE(s.editor, nullptr);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 1)));
  Command(s.main, ID_NOTE_NEXT);
  Command(s.main, ID_NOTE_NEW);
  Command(s.main, ID_NOTE_PREVIOUS);
  EXPECT_TRUE(WaitForCaption(s.main, NoteCaption(1, 1)));
  EXPECT_EQ(s.QuitAndRead(), NotesFileImage({}));
}

TEST_F(E2eTest, PreviousFromAnEmptySlotAbandonsIt) {
  Session s({"one", "two", "three"});
  ASSERT_NE(s.editor, nullptr);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 3)));
  EXPECT_EQ(WindowText(s.editor), "one");
  Command(s.main, ID_NOTE_NEW);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(4, 4)));
  EXPECT_EQ(WindowText(s.editor), "");
  Command(s.main, ID_NOTE_PREVIOUS);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(3, 3)));
  EXPECT_EQ(WindowText(s.editor), "three");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(E2eTest, DeletingNoteTwoShowsTheNoteThatFollowed) {
  Session s({"one", "two", "three", "four"});
  ASSERT_NE(s.editor, nullptr);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 4)));
  Command(s.main, ID_NOTE_DELETE);
  ExpectMessageBox(s.program->pid(), "Are you sure you want this note deleted?", "Yes");
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 3)));
  EXPECT_EQ(WindowText(s.editor), "three");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "three", "four"}));
}

TEST_F(E2eTest, DeletingTheOnlyNoteLeavesAnEmptyPad) {
  Session s({"only"}, [] { WriteDword("General", "Verify Delete", 0); });
  ASSERT_NE(s.editor, nullptr);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 1)));
  Command(s.main, ID_NOTE_DELETE);
  ASSERT_TRUE(WaitFor([&] { return WindowText(s.editor).empty(); }));
  EXPECT_EQ(s.QuitAndRead(), NotesFileImage({}));
}

TEST_F(E2eTest, EmptyingANoteAndMovingOnRemovesIt) {
  Session s({"one", "two", "three"});
  ASSERT_NE(s.editor, nullptr);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 3)));
  SendMessageA(s.editor, EM_SETSEL, 0, -1);
  SendMessageA(s.editor, WM_CLEAR, 0, 0);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2)));
  EXPECT_EQ(WindowText(s.editor), "three");
  Command(s.main, ID_NOTE_FIRST);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 2)));
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "three"}));
}

TEST_F(E2eTest, AnOverlongNoteIsCutTo65535CharactersOnYes) {
  Session s;
  ASSERT_NE(s.editor, nullptr);
  const std::string text = PasteOverlongText(s);
  Command(s.main, ID_NOTE_NEW);
  AnswerTooLong(s, "Yes");
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2)));
  const std::vector<std::string> texts = NoteTexts(s.QuitAndRead());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], text.substr(0, 65535));
}

TEST_F(E2eTest, AcceleratorsReachTheNoteCommands) {
  Session s({"one", "two"});
  ASSERT_NE(s.editor, nullptr);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 2)));
  SetForegroundWindow(s.main);
  SetFocus(s.editor);
  auto press = [](WORD modifier, WORD key) {
    INPUT input[4] = {};
    for (INPUT& i : input) i.type = INPUT_KEYBOARD;
    input[0].ki.wVk = modifier;
    input[1].ki.wVk = key;
    input[2].ki.wVk = key;
    input[2].ki.dwFlags = KEYEVENTF_KEYUP;
    input[3].ki.wVk = modifier;
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
  };
  press(VK_CONTROL, VK_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2))) << WindowText(s.main);
  press(VK_CONTROL, VK_INSERT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(3, 3))) << WindowText(s.main);
  press(VK_CONTROL, VK_UP);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(1, 2))) << WindowText(s.main);
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"one", "two"}));
}

TEST_F(E2eTest, QuitWithAnOverlongNoteAsksAndNoKeepsTheProgramWithTheText) {
  Session s;
  ASSERT_NE(s.editor, nullptr);
  const std::string text = PasteOverlongText(s);
  Command(s.main, ID_APP_QUIT);
  AnswerTooLong(s, "No");
  ExpectMessageBox(s.pid(), "Current note could not be saved. Is it OK to discard changes?", "No");
  ASSERT_TRUE(s.program->Running());
  EXPECT_EQ(WindowText(s.editor), text);

  Command(s.main, ID_APP_QUIT);
  AnswerTooLong(s, "Yes");
  ASSERT_TRUE(s.program->WaitForExit());
  const std::vector<std::string> texts = NoteTexts(ReadFileBytes(s.folder.notesFile()));
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], text.substr(0, 65535));
}
