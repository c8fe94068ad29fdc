// Reminders due in the notes file, seen from outside: the popups, their
// order and answers, and what the next start finds in the file.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

constexpr uint32_t PENDING = 0x3;  // set and active
constexpr uint32_t PAST = 1700000000;

uint32_t Flags(const Bytes& file, uint32_t note) { return ReadU32(file, 256 + 20 * (note - 1) + 12); }
uint32_t ReminderTime(const Bytes& file, uint32_t note) { return ReadU32(file, 256 + 20 * (note - 1) + 16); }

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A pad of `texts` whose notes `due` have a pending reminder long past.
struct DuePad {
  DuePad(const std::vector<std::string>& texts, const std::vector<uint32_t>& due) {
    SeedCreatedPad(folder);
    WriteDword("General", "LastViewed", 1);
    Bytes image = NotesFileImage(texts);
    for (uint32_t note : due) {
      PutU32(image, 256 + 20 * (note - 1) + 12, PENDING);
      PutU32(image, 256 + 20 * (note - 1) + 16, PAST);
    }
    PutU32(image, 16, static_cast<uint32_t>(due.size()));
    WriteFileBytes(folder.notesFile(), image);
  }
  void Start() {
    started = GetTickCount();
    program = std::make_unique<Program>(folder);
    main = WaitForMainWindow();
  }
  Bytes QuitAndRead() {
    Command(main, ID_APP_QUIT);
    EXPECT_TRUE(program->WaitForExit());
    return ReadFileBytes(folder.notesFile());
  }
  ProgramFolder folder;
  std::unique_ptr<Program> program;
  HWND main = nullptr;
  DWORD started = 0;
};

// The popup of the program, with its caption and the note it shows.
struct Popup {
  explicit Popup(DWORD pid, DWORD timeoutMs = DEFAULT_TIMEOUT_MS) : window(WaitForMessageBox(pid, timeoutMs).window) {
    if (window == nullptr) return;
    caption = WindowText(window);
    text = WindowText(GetDlgItem(window, IDC_POPUP_TEXT));
  }
  void WaitClosed() const { EXPECT_TRUE(WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); })); }
  HWND window;
  std::string caption;
  std::string text;
};

}  // namespace

TEST_F(E2eTest, ADueReminderPopsUpAtTheFirstScanAndSnoozeMovesItByTheChosenInterval) {
  DuePad pad({"call the plumber\r\nbefore noon"}, {1});
  pad.Start();
  ASSERT_NE(pad.main, nullptr);
  Popup popup(pad.program->pid());
  ASSERT_NE(popup.window, nullptr);
  const DWORD elapsed = GetTickCount() - pad.started;
  std::printf("the popup came %lu ms after the start\n", static_cast<unsigned long>(elapsed));
  EXPECT_GE(elapsed, 9000u) << "the worker's first cycle comes 10 s after start";
  EXPECT_EQ(popup.caption, "Reminder for Note 1");
  EXPECT_EQ(popup.text, "call the plumber\r\nbefore noon");
  EXPECT_EQ(SendDlgItemMessageA(popup.window, IDC_POPUP_SNOOZE_LIST, CB_GETCURSEL, 0, 0), 5) << "1 Hour";
  EXPECT_TRUE(GetWindowLongA(popup.window, GWL_EXSTYLE) & WS_EX_TOPMOST);

  SendDlgItemMessageA(popup.window, IDC_POPUP_SNOOZE_LIST, CB_SETCURSEL, 1, 0);  // 10 Minutes
  const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
  ASSERT_TRUE(PressButton(popup.window, "Snooze"));
  popup.WaitClosed();
  const Bytes file = pad.QuitAndRead();
  // Only now: the program reads its clock after the popup has gone.
  const uint32_t after = static_cast<uint32_t>(std::time(nullptr));
  EXPECT_EQ(Flags(file, 1), PENDING);
  EXPECT_EQ(ReadU32(file, 16), 1u);
  const uint32_t due = ReminderTime(file, 1);
  EXPECT_EQ(due % 60, 0u);
  EXPECT_GE(due, (before + 30) / 60 * 60 + 600);
  EXPECT_LE(due, (after + 30) / 60 * 60 + 600);
}

TEST_F(E2eTest, TwoDueNotesPopUpInNoteOrderAndDismissOrTheCloseBoxTurnsThemOff) {
  DuePad pad({"first", "second", "third"}, {3, 1});
  pad.Start();
  ASSERT_NE(pad.main, nullptr);
  Popup one(pad.program->pid());
  ASSERT_NE(one.window, nullptr);
  EXPECT_EQ(one.caption, "Reminder for Note 1");
  EXPECT_EQ(one.text, "first");
  ASSERT_TRUE(PressButton(one.window, "Dismiss"));
  one.WaitClosed();

  Popup three(pad.program->pid());
  ASSERT_NE(three.window, nullptr);
  EXPECT_EQ(three.caption, "Reminder for Note 3");
  PostMessageA(three.window, WM_SYSCOMMAND, SC_CLOSE, 0);
  three.WaitClosed();

  const Bytes file = pad.QuitAndRead();
  for (uint32_t note : {1u, 3u}) {
    EXPECT_EQ(Flags(file, note), 0x1u) << "note " << note << " keeps only its time";
    EXPECT_EQ(ReminderTime(file, note), PAST);
  }
  EXPECT_EQ(Flags(file, 2), 0u);
  EXPECT_EQ(ReadU32(file, 16), 0u);
}

TEST_F(E2eTest, KillallWhileAPopupShowsLeavesTheReminderForTheNextStart) {
  DuePad pad({"water the plants"}, {1});
  pad.Start();
  ASSERT_NE(pad.main, nullptr);
  Popup popup(pad.program->pid());
  ASSERT_NE(popup.window, nullptr);
  Program killer(pad.folder, "-killall");
  EXPECT_TRUE(killer.WaitForExit());
  ASSERT_TRUE(pad.program->WaitForExit());
  const Bytes file = ReadFileBytes(pad.folder.notesFile());
  EXPECT_EQ(Flags(file, 1) & PENDING, PENDING);
  EXPECT_EQ(ReadU32(file, 16), 1u);

  pad.Start();
  ASSERT_NE(pad.main, nullptr);
  Popup again(pad.program->pid());
  ASSERT_NE(again.window, nullptr);
  EXPECT_EQ(again.caption, "Reminder for Note 1");
  ASSERT_TRUE(PressButton(again.window, "Dismiss"));
  again.WaitClosed();
  EXPECT_EQ(Flags(pad.QuitAndRead(), 1), 0x1u);
}
