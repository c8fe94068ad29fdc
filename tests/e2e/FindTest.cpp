// Find and Find Next driven from outside: the text typed into the dialog's
// field, the match read back as the editor's selection, the not-found
// message, and the choices left in the registry.
#include <windows.h>

#include <cstring>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

// Opens the Find dialog and types `text` into its field.
HWND OpenFind(const Session& s, const std::string& text) {
  Command(s.main, ID_FIND);
  HWND dialog = WaitForBox(s.pid(), "Find");
  if (dialog == nullptr) return nullptr;
  HWND field = FindWindowExA(GetDlgItem(dialog, IDC_FIND_TEXT), nullptr, "Edit", nullptr);
  SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  for (char c : text) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 0);
  return dialog;
}

bool WaitForSelection(HWND editor, DWORD start, DWORD end) {
  return WaitFor([&] {
    DWORD from = 0, to = 0;
    SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return from == start && to == end;
  });
}

void SkipWizard() { WriteDword("General", "Setup Wiz Run", 1); }

}  // namespace

TEST_F(E2eTest, FindSelectsTheMatchAndFindNextMovesOnAndWraps) {
  Session s({"alpha", "one cat and a cat", "omega"}, SkipWizard);
  ASSERT_NE(s.editor, nullptr);
  HWND dialog = OpenFind(s, "cat");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_FIND_BUTTON)));
  ASSERT_TRUE(PressButton(dialog, "Find"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(WaitForCaption(s.main, NoteCaption(2, 3)));
  EXPECT_TRUE(WaitForSelection(s.editor, 4, 7));
  Command(s.main, ID_FIND_NEXT);
  EXPECT_TRUE(WaitForSelection(s.editor, 14, 17));
  Command(s.main, ID_FIND_NEXT);
  EXPECT_TRUE(WaitForSelection(s.editor, 4, 7)) << "round all notes back to the first";

  std::string first;
  EXPECT_TRUE(ReadString("Find", "String_a", &first));
  EXPECT_EQ(first, "cat");
  const auto choice = [](const char* name) {
    DWORD value = 9;
    EXPECT_TRUE(ReadDword("Find", name, &value)) << name;
    return value;
  };
  EXPECT_EQ(choice("Ignore Case"), 1u);
  EXPECT_EQ(choice("Direction") + choice("Whole Words") + choice("In Note"), 0u);
  s.QuitAndRead();
}

TEST_F(E2eTest, FindKeepsTheDialogOpenAfterNamingAMissingText) {
  Session s({"alpha", "beta"}, [] {
    SkipWizard();
    WriteString("Find", "String_a", "older");
  });
  HWND dialog = OpenFind(s, "Zebra");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(PressButton(dialog, "Find"));
  HWND box = WaitForBox(s.pid(), "Quillery");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(BoxText(box), "Cannot find the string \"Zebra\"");
  EXPECT_TRUE(PressButton(box, "OK"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  EXPECT_TRUE(IsWindow(dialog));
  HWND combo = GetDlgItem(dialog, IDC_FIND_TEXT);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
  std::string first, second;
  EXPECT_TRUE(ReadString("Find", "String_a", &first) && ReadString("Find", "String_b", &second));
  EXPECT_EQ(first + "," + second, "Zebra,older");

  // Emptied: the button goes grey.
  HWND field = FindWindowExA(combo, nullptr, "Edit", nullptr);
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, WM_CHAR, VK_BACK, 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_FIND_BUTTON)));
  ASSERT_TRUE(PressButton(dialog, "Cancel"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  s.QuitAndRead();
}
