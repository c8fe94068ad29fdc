// Starting, opening the notes file and ending, as a user meets them.
#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

const char* const FIRST_CAPTION = "Quillery - (Note View: Note 1 of 1)";

// Quits the running copy through its Quit command and waits for it to end.
void Quit(Program& program) {
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_APP_QUIT, 0), 0);
  ASSERT_TRUE(program.WaitForExit());
}

Bytes EmptyPad() { return NotesFileImage({}); }

}  // namespace

TEST_F(E2eTest, FirstRunMakesAnEmptyPadAndItsBackup) {
  ProgramFolder folder;
  Program program(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(main) == FIRST_CAPTION; }))
      << WindowText(main);
  Quit(program);
  EXPECT_EQ(program.ExitCode(), 0u);

  const Bytes pad = ReadFileBytes(folder.notesFile());
  EXPECT_EQ(pad, EmptyPad());
  EXPECT_EQ(ReadFileBytes(folder.backupFile()), pad);
  std::string curFile;
  ASSERT_TRUE(ReadString("General", "CurFile", &curFile));
  EXPECT_EQ(curFile, folder.notesFile());
  DWORD flags = 0;
  ASSERT_TRUE(ReadDword("General", "Flags", &flags));
  EXPECT_EQ(flags & 1, 1u);
}

TEST_F(E2eTest, LockedNotesFileStopsWithoutTouchingIt) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  const Bytes image = NotesFileImage({"keep me"});
  WriteFileBytes(folder.notesFile(), image);
  HANDLE lock = CreateFileA(folder.notesFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  Program program(folder);
  ExpectMessageBox(program.pid(),
                   "Note file is either in use or access is denied. Please close\n"
                   "any program using the file and run Quillery again.",
                   "OK");
  EXPECT_TRUE(program.WaitForExit());
  CloseHandle(lock);
  EXPECT_EQ(FindMainWindow(), nullptr);
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), image);
  EXPECT_FALSE(FileExists(folder.backupFile()));
}

TEST_F(E2eTest, DamagedFileWithoutBackupsIsKeptAsideForANewPad) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  WriteDword("General", "Use Backups", 0);
  const Bytes damaged(300, 'x');
  WriteFileBytes(folder.notesFile(), damaged);

  Program program(folder);
  ExpectMessageBox(program.pid(),
                   "Your notes file:\n\n\t" + folder.notesFile() +
                       "\n\nis corrupted. Please delete that file and run Quillery again.\n"
                       "All your notes will be lost.",
                   "OK");
  ExpectMessageBox(program.pid(), "Would you like Quillery to create a new notes file?", "Yes");
  const std::string kept = folder.notesFile() + ".rejected";
  ExpectMessageBox(program.pid(),
                   "Quillery could not use the notes file it found and has kept it, unchanged, as:\n\n\t" +
                       kept + "\n\nNothing in it is lost.",
                   "OK");
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(main) == FIRST_CAPTION; }));
  Quit(program);
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), EmptyPad());
  EXPECT_EQ(ReadFileBytes(kept), damaged);
  EXPECT_FALSE(FileExists(folder.backupFile()));
}

// A second copy started while the first still asks its questions ends
// without touching anything either.
TEST_F(E2eTest, DamagedFileRefusedLeavesItAsItWas) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  WriteDword("General", "Use Backups", 0);
  const Bytes damaged(300, 'x');
  WriteFileBytes(folder.notesFile(), damaged);

  Program program(folder);
  MessageBoxInfo corrupted = WaitForMessageBox(program.pid());
  ASSERT_NE(corrupted.window, nullptr);
  EXPECT_NE(corrupted.text.find("is corrupted"), std::string::npos) << corrupted.text;
  Program second(folder);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 1u);
  ASSERT_TRUE(PressButton(corrupted.window, "OK"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(corrupted.window); }));
  ExpectMessageBox(program.pid(), "Would you like Quillery to create a new notes file?", "No");
  EXPECT_TRUE(program.WaitForExit());
  EXPECT_EQ(FindMainWindow(), nullptr);
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), damaged);
  EXPECT_FALSE(FileExists(folder.notesFile() + ".rejected"));
}

TEST_F(E2eTest, DamagedFileIsRestoredFromTheBackup) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  WriteFileBytes(folder.notesFile(), Bytes(10, 0));
  const Bytes backup = NotesFileImage({"first", "second"});
  WriteFileBytes(folder.backupFile(), backup);

  Program program(folder);
  ExpectMessageBox(program.pid(),
                   "Your note file is missing or damaged. Would you like Quillery\n"
                   " to use your backup file if possible?",
                   "Yes");
  MessageBoxInfo kept = WaitForMessageBox(program.pid());
  EXPECT_NE(kept.text.find(folder.notesFile() + ".rejected\n"), std::string::npos) << kept.text;
  ASSERT_TRUE(PressButton(kept.window, "OK"));
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "Quillery - (Note View: Note 1 of 2)"; }))
      << WindowText(main);
  Quit(program);
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), backup);
  EXPECT_EQ(ReadFileBytes(folder.notesFile() + ".rejected"), Bytes(10, 0));
  // The restored backup is not overwritten from the file it replaced.
  EXPECT_EQ(ReadFileBytes(folder.backupFile()), backup);
}

TEST_F(E2eTest, StaleReminderBitsAreClearedAndTheCountMended) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  Bytes image = NotesFileImage({"one", "two"});
  image[256 + 12] = 0x2 | 0x4 | 0x8;  // active, editing, queued
  image[256 + 16] = 0xFF;             // a reminder time far ahead
  image[256 + 19] = 0x7F;
  image[256 + 20 + 12] = 0x8;  // queued without a reminder
  image[16] = 5;               // a wrong reminderCount
  WriteFileBytes(folder.notesFile(), image);

  Program program(folder);
  ASSERT_NE(WaitForMainWindow(), nullptr);
  Quit(program);
  const Bytes saved = ReadFileBytes(folder.notesFile());
  ASSERT_EQ(saved.size(), image.size());
  EXPECT_EQ(ReadU32(saved, 16), 1u);
  EXPECT_EQ(ReadU32(saved, 256 + 12), 0x2u);
  EXPECT_EQ(ReadU32(saved, 256 + 20 + 12), 0u);
}

TEST_F(E2eTest, SecondCopyBringsTheFirstForwardAndWritesNothing) {
  ProgramFolder folder;
  Program first(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
  // Recognise any write by the second copy.
  const Bytes marker = NotesFileImage({"marker"});
  WriteFileBytes(folder.notesFile(), marker);

  Program second(folder);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_EQ(second.ExitCode(), 1u);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(main) == FALSE; }));
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), marker);
  PostMessageA(main, WM_APP_QUIT, 0, 0);
  EXPECT_TRUE(first.WaitForExit());
}

// A copy started while the last one is still ending (its window gone, its
// process not yet) waits for it to end and then runs.
TEST_F(E2eTest, CopyStartedWhileTheLastOneEndsRunsOnceItHasEnded) {
  ProgramFolder folder;
  HANDLE ending = CreateMutexA(nullptr, TRUE, "Local\\Brindle Software Quillery");
  ASSERT_NE(ending, nullptr);
  Program next(folder);
  Sleep(1500);
  EXPECT_TRUE(next.Running());
  ReleaseMutex(ending);
  CloseHandle(ending);
  EXPECT_NE(WaitForMainWindow(), nullptr);
  Quit(next);
}

TEST_F(E2eTest, KillAllMakesTheRunningCopySaveAndQuit) {
  ProgramFolder folder;
  Program first(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND editor = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (editor = FindEditor(main)) != nullptr; }));
  TypeText(editor, "unsaved");

  Program killer(folder, "-KILLALL");
  EXPECT_TRUE(killer.WaitForExit());
  // The stopping copy waited for the process, not only for its window.
  EXPECT_FALSE(first.Running());
  EXPECT_EQ(FindMainWindow(), nullptr);
  // The running copy stored the typed note before it went.
  const Bytes file = ReadFileBytes(folder.notesFile());
  ASSERT_EQ(file.size(), 256u + 20u + 8u);
  EXPECT_EQ(ReadU32(file, 8), 1u);
  EXPECT_EQ(std::string(file.end() - 8, file.end() - 1), "unsaved");
}

TEST_F(E2eTest, MissingFlagsOpenTheExistingPadAndKeepItsBackup) {
  ProgramFolder folder;
  SeedCreatedPad(folder);
  HKEY general = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(PROGRAM_KEY) + "\\General").c_str(), 0,
                          KEY_SET_VALUE, &general), ERROR_SUCCESS);
  RegDeleteValueA(general, "Flags");
  RegCloseKey(general);
  const Bytes pad = NotesFileImage({"years", "of notes"});
  WriteFileBytes(folder.notesFile(), pad);
  WriteFileBytes(folder.backupFile(), pad);

  Program program(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitForCaption(main, NoteCaption(1, 2))) << WindowText(main);
  // Written at once, not only at exit.
  DWORD flags = 0;
  EXPECT_TRUE(ReadDword("General", "Flags", &flags));
  EXPECT_EQ(flags & 1, 1u);
  Quit(program);
  EXPECT_EQ(ReadFileBytes(folder.notesFile()), pad);
  EXPECT_EQ(ReadFileBytes(folder.backupFile()), pad);
}

TEST_F(E2eTest, QuietStartWithoutTrayIsMinimised) {
  ProgramFolder folder;
  WriteDword("General", "RunInTray", 0);
  Program program(folder, "/quiet");
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));
  Quit(program);
}
