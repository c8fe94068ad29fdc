#pragma once
// Drives Quillery.exe as a user would: a fresh program folder and a clean
// registry key per case, windows found by class and text, message boxes
// answered by their buttons, files and registry checked afterwards.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "res/WindowMessages.h"
#include "shared/NotesFileImage.h"

namespace e2e {

using image::Bytes;
using image::NotesFileImage;
using image::NoteTexts;
using image::ReadU32;

constexpr const char* PROGRAM_KEY = "Software\\Brindle Software\\Quillery";
constexpr DWORD DEFAULT_TIMEOUT_MS = 20000;

// Path of the Quillery.exe under test, set by main from the command line.
extern std::string programUnderTest;

// A program folder of its own with a copy of Quillery.exe in it, removed
// again (with everything below it) when the case ends.
class ProgramFolder {
 public:
  ProgramFolder();
  ~ProgramFolder();
  ProgramFolder(const ProgramFolder&) = delete;
  ProgramFolder& operator=(const ProgramFolder&) = delete;

  const std::string& dir() const { return dir_; }  // with trailing backslash
  std::string exe() const { return dir_ + "Quillery.exe"; }
  std::string userDir() const;                      // Users\<user name>\ below it
  std::string notesFile() const { return userDir() + "Quillery.dat"; }
  std::string backupFile() const { return userDir() + "Quillery.bak"; }

 private:
  std::string dir_;
};

// A running (or finished) copy of the program.
class Program {
 public:
  Program(const ProgramFolder& folder, const std::string& arguments = std::string());
  ~Program();  // ends the process if a case left it running
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD pid() const { return info_.dwProcessId; }
  bool WaitForExit(DWORD timeoutMs = DEFAULT_TIMEOUT_MS);
  DWORD ExitCode() const;
  bool Running() const;

 private:
  PROCESS_INFORMATION info_{};
};

// The registry key of the program, removed with everything below it.
void DeleteProgramKey();
bool ReadDword(const char* section, const char* name, DWORD* value);
bool ReadString(const char* section, const char* name, std::string* value);
void WriteDword(const char* section, const char* name, DWORD value);
void WriteString(const char* section, const char* name, const std::string& value);

// Waits until `predicate` holds, polling; false when the time ran out.
template <typename Predicate>
bool WaitFor(Predicate predicate, DWORD timeoutMs = DEFAULT_TIMEOUT_MS) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(50);
  }
}

// The top-level window of the main class, or null; the wait is for it to
// be shown.
HWND FindMainWindow();
HWND WaitForMainWindow(DWORD timeoutMs = DEFAULT_TIMEOUT_MS);
std::string WindowText(HWND window);

// A message box (dialog class #32770) of process `pid`, with its text.
struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;
};
MessageBoxInfo WaitForMessageBox(DWORD pid, DWORD timeoutMs = DEFAULT_TIMEOUT_MS);
// Presses the button whose text (ampersands removed) is `caption`, such as
// "Yes", "No" or "OK"; false when there is no such button.
bool PressButton(HWND dialog, const char* caption);

// The first message box of `pid` must read `text`; answers it with `button`.
void ExpectMessageBox(DWORD pid, const std::string& text, const char* button);

// The note view's edit control inside the main window, or null.
// The shown dialog of the program with this caption ("Quillery" for its
// message boxes), or null after the deadline.
HWND WaitForBox(DWORD pid, const std::string& caption);
// The text of a message box: its static control that holds text.
std::string BoxText(HWND box);

HWND FindEditor(HWND main);
// Sends a menu or toolbar command to the main window, as a click would.
void Command(HWND main, UINT id);
// Types `text` into the editor character by character ('\n' is Enter) and
// waits until the editor shows it.
void TypeText(HWND editor, const std::string& text);
// Puts `text` on the clipboard and pastes it with the Paste command.
void PasteText(HWND main, const std::string& text);
// Waits until the window's caption reads `caption`.
bool WaitForCaption(HWND window, const std::string& caption);

bool FileExists(const std::string& path);
Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

// The main window's captions in the two views.
std::string NoteCaption(int current, int count);
std::string ListCaption(int count);

// Writes `url` into `file`: the driver as a test scheme's browser.
int RecordUrl(const char* file, const char* url);
// Makes RecordUrl the program for web pages (".html"), writing to `record`,
// until UnregisterPageHandler restores the class there was.
void RegisterPageHandler(const std::string& record);
void UnregisterPageHandler();

// A pad made by an earlier run: its folders, and Flags, CurFile and
// BackupFile in the registry.
void SeedCreatedPad(const ProgramFolder& folder);

// A running copy on a pad of `notes` showing note 1 (no notes: a first run),
// with `settings` written to the registry before it starts.
struct Session {
  explicit Session(const std::vector<std::string>& notes = {},
                   const std::function<void()>& settings = {});
  DWORD pid() const { return program->pid(); }
  // Quits through the Quit command and returns the notes file's bytes.
  Bytes QuitAndRead();

  ProgramFolder folder;
  std::unique_ptr<Program> program;
  HWND main = nullptr;
  HWND editor = nullptr;  // null when the program came up in the list
};

}  // namespace e2e
