// The background worker seen from outside: notes saved without a command.
#include <cstdio>
#include <string>

#include "Fixture.h"

using namespace e2e;

namespace {

constexpr UINT ID_APP_QUIT = 32804;

bool FileHolds(const std::string& path, const std::string& text) {
  const Bytes bytes = ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end()).find(text) != std::string::npos;
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

  const auto saved = [&] { return FileHolds(folder.notesFile(), text); };
  EXPECT_FALSE(WaitFor(saved, 20000)) << "saved before the interval ran out";
  // The save comes at the second or third cycle, after 67 or 127 seconds.
  EXPECT_TRUE(WaitFor(saved, 130000));
  const DWORD elapsed = GetTickCount() - shown;
  EXPECT_GE(elapsed, 30000u);
  EXPECT_TRUE(program.Running());
  std::printf("auto-save came %lu ms after the window showed\n", static_cast<unsigned long>(elapsed));

  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program.WaitForExit());
}
