// The Go To Note, Move Note and Note Properties dialogs in-process: their
// data exchange and refusals, and the document commands that run them.
#include "DialogScript.h"
#include "ProgramFixture.h"

#include "document/win32/NoteDialogs.h"
#include "res/resource.h"

namespace {

std::string Text(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}
std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
void Press(HWND dialog, int id) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
void Choose(HWND dialog, int radio) {
  CheckRadioButton(dialog, IDC_MOVE_BEFORE_FIRST, IDC_MOVE_AFTER, radio);
  Press(dialog, radio);
}
std::string FocusAndSelection() {
  DWORD start = 1, end = 0;
  SendMessageA(GetFocus(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return std::to_string(GetDlgCtrlID(GetFocus())) + " " + std::to_string(start) + "-" + std::to_string(end);
}

class NoteDialogsTest : public ProgramMessagesTest {
 protected:
  std::vector<std::string> Notes() {
    std::vector<std::string> texts;
    for (uint32_t n = 1; n <= store.header.noteCount; ++n) texts.push_back(store.Text(store.Entry(n)));
    return texts;
  }
};

TEST_F(NoteDialogsTest, GoToRefusesNumbersOutsideThePadAndKeepsTheFocusOnTheNumber) {
  CGoToNoteDlg dialog;
  dialog.maxNote = 5;
  dialog.noteNumber = 3;
  std::vector<std::string> seen;
  CDialogScript script([&](HWND box) {
    seen.push_back(Text(box) + "|" + ItemText(box, IDC_GOTO_NUMBER) + "|" + FocusAndSelection());
    for (const char* number : {"0", "6", "two", "4"}) {
      SetDlgItemTextA(box, IDC_GOTO_NUMBER, number);
      Press(box, IDOK);
      if (IsWindow(box) && IsWindowVisible(box)) seen.push_back(FocusAndSelection());
    }
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.noteNumber, 4u);
  EXPECT_EQ(seen, (std::vector<std::string>{"Go To Note|3|10200 0-1", "10200 0-1", "10200 0-1", "10200 0-3"}));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Please enter an integer between 1 and 5.",
                                                      "Please enter an integer between 1 and 5.",
                                                      "Please enter a positive integer."}));
}

TEST_F(NoteDialogsTest, MoveOfTheFirstNoteOffersOnlyAfterANote) {
  CMoveNoteDlg dialog(1, 5);
  dialog.placement = 1;
  dialog.afterNote = 1;
  std::string caption, focus;
  bool beforeEnabled = true, numberEnabled = false, afterChecked = false;
  CDialogScript script([&](HWND box) {
    caption = Text(box);
    focus = FocusAndSelection();
    beforeEnabled = IsWindowEnabled(GetDlgItem(box, IDC_MOVE_BEFORE_FIRST)) != FALSE;
    numberEnabled = IsWindowEnabled(GetDlgItem(box, IDC_MOVE_AFTER_NUMBER)) != FALSE;
    afterChecked = IsDlgButtonChecked(box, IDC_MOVE_AFTER) == BST_CHECKED;
    SetDlgItemTextA(box, IDC_MOVE_AFTER_NUMBER, "6");
    Press(box, IDOK);
    SetDlgItemTextA(box, IDC_MOVE_AFTER_NUMBER, "5");
    Press(box, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(caption, "Move Note 1 (of 5)");
  EXPECT_EQ(focus, "11502 0-1");
  EXPECT_FALSE(beforeEnabled);
  EXPECT_TRUE(numberEnabled);
  EXPECT_TRUE(afterChecked);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Please enter an integer between 1 and 5."}));
  EXPECT_EQ(dialog.placement, 1);
  EXPECT_EQ(dialog.afterNote, 5u);
}

TEST_F(NoteDialogsTest, BeforeTheFirstNoteDisablesTheNumberButStillChecksIt) {
  CMoveNoteDlg dialog(3, 5);
  dialog.placement = 1;
  dialog.afterNote = 3;
  std::vector<bool> numberEnabled;
  bool beforeEnabled = false;
  CDialogScript script([&](HWND box) {
    beforeEnabled = IsWindowEnabled(GetDlgItem(box, IDC_MOVE_BEFORE_FIRST)) != FALSE;
    SetDlgItemTextA(box, IDC_MOVE_AFTER_NUMBER, "77");
    Choose(box, IDC_MOVE_BEFORE_FIRST);
    numberEnabled.push_back(IsWindowEnabled(GetDlgItem(box, IDC_MOVE_AFTER_NUMBER)) != FALSE);
    Choose(box, IDC_MOVE_AFTER);
    numberEnabled.push_back(IsWindowEnabled(GetDlgItem(box, IDC_MOVE_AFTER_NUMBER)) != FALSE);
    Choose(box, IDC_MOVE_BEFORE_FIRST);
    Press(box, IDOK);
    // Refused: the number is corrected through "after note".
    Choose(box, IDC_MOVE_AFTER);
    SetDlgItemTextA(box, IDC_MOVE_AFTER_NUMBER, "4");
    Choose(box, IDC_MOVE_BEFORE_FIRST);
    Press(box, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(beforeEnabled);
  EXPECT_EQ(numberEnabled, (std::vector<bool>{false, true}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Please enter an integer between 1 and 5.");
  EXPECT_EQ(dialog.placement, 0);
}

TEST_F(NoteDialogsTest, PropertiesShowTheirThreeTexts) {
  CNotePropertiesDlg dialog;
  dialog.numberText = "Note 2 of 3";
  dialog.createdText = "created";
  dialog.modifiedText = "modified";
  std::vector<std::string> seen;
  CDialogScript script([&](HWND box) {
    seen = {Text(box), ItemText(box, IDC_PROPERTIES_NUMBER), ItemText(box, IDC_PROPERTIES_CREATED),
            ItemText(box, IDC_PROPERTIES_MODIFIED), ItemText(box, IDOK)};
    Press(box, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(seen, (std::vector<std::string>{"Note Properties", "Note 2 of 3", "created", "modified", "&Close"}));
}

TEST_F(NoteDialogsTest, GoToCommandShowsTheChosenNoteOverTheMainWindow) {
  FillPad({"one", "two", "three", "four", "five"}, 2);
  ShowWindow(Frame(), SW_SHOWNOACTIVATE);
  std::string preset;
  RECT frameRect{}, boxRect{};
  CDialogScript script([&](HWND box) {
    GetWindowRect(Frame(), &frameRect);
    GetWindowRect(box, &boxRect);
    preset = ItemText(box, IDC_GOTO_NUMBER);
    SetDlgItemTextA(box, IDC_GOTO_NUMBER, "5");
    Press(box, IDOK);
  });
  SendMessageA(Frame(), WM_COMMAND, ID_NOTE_GOTO, 0);
  EXPECT_TRUE(script.ran);
  EXPECT_EQ(preset, "2");
  EXPECT_NEAR((boxRect.left + boxRect.right) / 2, (frameRect.left + frameRect.right) / 2, 1);
  EXPECT_NEAR((boxRect.top + boxRect.bottom) / 2, (frameRect.top + frameRect.bottom) / 2, 1);
  EXPECT_EQ(Caption(), "Quillery - (Note View: Note 5 of 5)");
  EXPECT_EQ(view.GetText(), "five");
}

TEST_F(NoteDialogsTest, MoveCommandPutsTheNoteFirstOrBehindTheLast) {
  FillPad({"one", "two", "three", "four", "five"}, 3);
  {
    CDialogScript script([&](HWND box) {
      Choose(box, IDC_MOVE_BEFORE_FIRST);
      Press(box, IDOK);
    });
    SendMessageA(Frame(), WM_COMMAND, ID_NOTE_MOVE, 0);
    ASSERT_TRUE(script.ran);
  }
  EXPECT_EQ(Notes(), (std::vector<std::string>{"three", "one", "two", "four", "five"}));
  EXPECT_EQ(Caption(), "Quillery - (Note View: Note 1 of 5)");
  {
    CDialogScript script([&](HWND box) {
      SetDlgItemTextA(box, IDC_MOVE_AFTER_NUMBER, "5");
      Press(box, IDOK);
    });
    SendMessageA(Frame(), WM_COMMAND, ID_NOTE_MOVE, 0);
    ASSERT_TRUE(script.ran);
  }
  EXPECT_EQ(Notes(), (std::vector<std::string>{"one", "two", "four", "five", "three"}));
  EXPECT_EQ(Caption(), "Quillery - (Note View: Note 5 of 5)");
  EXPECT_EQ(view.GetText(), "three");
}

TEST_F(NoteDialogsTest, PropertiesOfAnUnstoredNewNoteSayNewNote) {
  FillPad({"one"}, 1);
  SendMessageA(Frame(), WM_COMMAND, ID_NOTE_NEW, 0);
  // Too long to store: the user keeps it unstored (No), then goes on (Yes).
  std::string text;
  for (int i = 0; text.size() <= 65535; ++i) text += "line " + std::to_string(i) + "\r\n";
  view.SetText(text);
  view.textChanged = true;
  messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
  std::vector<std::string> seen;
  CDialogScript script([&](HWND box) {
    seen = {ItemText(box, IDC_PROPERTIES_NUMBER), ItemText(box, IDC_PROPERTIES_CREATED),
            ItemText(box, IDC_PROPERTIES_MODIFIED)};
    Press(box, IDOK);
  });
  SendMessageA(Frame(), WM_COMMAND, ID_NOTE_PROPERTIES, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Note 2 of 2", "New Note", ""}));
  EXPECT_EQ(store.header.noteCount, 1u);
}

}  // namespace
