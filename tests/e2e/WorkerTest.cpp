// The background worker seen from outside: notes saved without a command.
#include <cstdio>
#include <string>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

bool FileHolds(const std::string& path, const std::string& text) {
  const Bytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end()).find(text) != std::string::npos;
}

// Looks at the file without opening it: a reader's handle would make the
// program's save of it fail.
uint64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

}  // namespace

// With a one-minute interval the typed note reaches the file by itself once
// a minute has passed since the start-up (rounded to the minute, at the
// worker's minute cycle), but not at the first cycle ten seconds in.
TEST_F(E2eTest, AutoSaveWritesTheTypedNoteAfterItsIntervalWithoutACommand) {
  ProgramFolder folder;
  WriteDword("General", "Setup Wiz Run", 1);
  WriteDword("General", "AutoSaveTime", 1);
  Program program(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const DWORD shown = GetTickCount();
  HWND editor = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (editor = FindEditor(main)) != nullptr; }));
  const std::string text = "kept without asking";
  TypeText(editor, text);

  const uint64_t emptyPad = FileSize(folder.notesFile());
  const auto saved = [&] { return FileSize(folder.notesFile()) > emptyPad; };
  EXPECT_FALSE(WaitFor(saved, 20000)) << "saved before the interval ran out";
  // The save comes at the second or third cycle, after 67 or 127 seconds,
  // later on a busy machine.
  EXPECT_TRUE(WaitFor(saved, 200000));
  const DWORD elapsed = GetTickCount() - shown;
  EXPECT_TRUE(FileHolds(folder.notesFile(), text));
  EXPECT_GE(elapsed, 30000u);
  EXPECT_TRUE(program.Running());
  std::printf("auto-save came %lu ms after the window showed\n", static_cast<unsigned long>(elapsed));

  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program.WaitForExit());
}

// The worker's own message, posted several times while the first save's
// failure is on the screen: the user is asked once, not once a cycle.
TEST_F(E2eTest, ALockedNotesFileIsReportedOnceWhileItsMessageIsOpen) {
  Session s({"kept"});
  ASSERT_NE(s.editor, nullptr);
  TypeText(s.editor, "!");
  HANDLE lock = CreateFileA(s.folder.notesFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  for (int cycle = 0; cycle < 4; ++cycle) PostMessageA(s.main, WM_APP_AUTOSAVE, 0, 0);
  // Queued behind the saves: once the list shows, each save has had its turn.
  PostMessageA(s.main, WM_APP_SHOW_LIST, 0, 0);
  MessageBoxInfo box = WaitForMessageBox(s.pid());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.text.rfind("Error 32", 0), 0u) << box.text;
  EXPECT_TRUE(WaitFor([&] { return WindowText(s.main).find("(List View") != std::string::npos; }));
  ASSERT_TRUE(PressButton(box.window, "OK"));
  WaitFor([&] { return !IsWindow(box.window); });
  // Boxes opened by the later saves would still be up.
  EXPECT_EQ(WaitForMessageBox(s.pid(), 0).window, nullptr);
  CloseHandle(lock);
  const std::vector<std::string> texts = NoteTexts(s.QuitAndRead());
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_NE(texts[0].find('!'), std::string::npos) << texts[0];
}
