#include "Driver.h"

#include <gtest/gtest.h>

#include <cstring>

#include "res/resource.h"

namespace e2e {

std::string programUnderTest;

namespace {

void RemoveTree(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((dir + "*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = dir + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

std::string UserName() {
  char name[257];
  DWORD size = sizeof name;
  if (!GetUserNameA(name, &size) || name[0] == '\0') return "Default";
  return name;
}

struct FindContext {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND window, LPARAM param) {
  auto* ctx = reinterpret_cast<FindContext*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char cls[64];
  GetClassNameA(window, cls, sizeof cls);
  if (pid == ctx->pid && IsWindowVisible(window) && std::strcmp(cls, "#32770") == 0) {
    ctx->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string StripAmpersands(const std::string& text) {
  std::string out;
  for (char c : text)
    if (c != '&') out += c;
  return out;
}

// The message text of a message box: its static control that holds text
// (the icon is a static control too, without text).
std::string MessageText(HWND dialog) {
  std::string text;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[64];
    GetClassNameA(child, cls, sizeof cls);
    if (_stricmp(cls, "Static") != 0) continue;
    std::string t = WindowText(child);
    if (!t.empty()) text = t;
  }
  return text;
}

HKEY OpenSection(const char* section, REGSAM access, bool create) {
  std::string path = std::string(PROGRAM_KEY) + "\\" + section;
  HKEY key = nullptr;
  LONG rc = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, access,
                                     nullptr, &key, nullptr)
                   : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key);
  return rc == ERROR_SUCCESS ? key : nullptr;
}

}  // namespace

ProgramFolder::ProgramFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static unsigned serial = 0;
  dir_ = std::string(temp) + "quillery-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++serial) + "\\";
  RemoveTree(dir_);
  CreateDirectoryA(dir_.c_str(), nullptr);
  if (!CopyFileA(programUnderTest.c_str(), exe().c_str(), FALSE))
    ADD_FAILURE() << "cannot copy " << programUnderTest << ": error " << GetLastError();
  // The reminder sound, where the build puts it beside the program.
  const std::string built = programUnderTest.substr(0, programUnderTest.find_last_of("\\/") + 1);
  CopyFileA((built + "QLRemind.wav").c_str(), (dir_ + "QLRemind.wav").c_str(), FALSE);
}

ProgramFolder::~ProgramFolder() { RemoveTree(dir_); }

std::string ProgramFolder::userDir() const { return dir_ + "Users\\" + UserName() + "\\"; }

Program::Program(const ProgramFolder& folder, const std::string& arguments) {
  std::string commandLine = "\"" + folder.exe() + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(folder.exe().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, folder.dir().c_str(), &startup, &info_))
    ADD_FAILURE() << "cannot start " << folder.exe() << ": error " << GetLastError();
}

Program::~Program() {
  if (info_.hProcess == nullptr) return;
  if (Running()) {
    ADD_FAILURE() << "the program was still running at the end of the case";
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Program::WaitForExit(DWORD timeoutMs) {
  return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool Program::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

void DeleteProgramKey() { RegDeleteTreeA(HKEY_CURRENT_USER, PROGRAM_KEY); }

bool ReadDword(const char* section, const char* name, DWORD* value) {
  HKEY key = OpenSection(section, KEY_READ, false);
  if (!key) return false;
  DWORD type = 0, size = sizeof *value;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_DWORD;
}

bool ReadString(const char* section, const char* name, std::string* value) {
  HKEY key = OpenSection(section, KEY_READ, false);
  if (!key) return false;
  char buffer[1024];
  DWORD type = 0, size = sizeof buffer - 1;
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
  buffer[size] = '\0';
  *value = buffer;
  return true;
}

void WriteDword(const char* section, const char* name, DWORD value) {
  HKEY key = OpenSection(section, KEY_WRITE, true);
  ASSERT_NE(key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

void WriteString(const char* section, const char* name, const std::string& value) {
  HKEY key = OpenSection(section, KEY_WRITE, true);
  ASSERT_NE(key, nullptr);
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
}

HWND FindMainWindow() {
  HWND window = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
  return window;
}

HWND WaitForMainWindow(DWORD timeoutMs) {
  HWND window = nullptr;
  WaitFor([&] { return (window = FindMainWindow()) != nullptr && IsWindowVisible(window); },
          timeoutMs);
  return window;
}

std::string WindowText(HWND window) {
  int length = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
  std::string text(static_cast<size_t>(length) + 1, '\0');
  length = static_cast<int>(
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

namespace {

struct BoxSearch {
  DWORD pid;
  std::string caption;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char name[16] = {};
  GetClassNameA(window, name, sizeof(name));
  if (pid != search->pid || std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  if (WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND WaitForBox(DWORD pid, const std::string& caption) {
  BoxSearch search{pid, caption, nullptr};
  WaitFor([&] {
    search.found = nullptr;
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

std::string BoxText(HWND box) {
  std::string text;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof(name));
    if (_stricmp(name, "Static") == 0 && !WindowText(child).empty()) text = WindowText(child);
  }
  return text;
}

MessageBoxInfo WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
  MessageBoxInfo info;
  WaitFor(
      [&] {
        FindContext ctx{pid, nullptr};
        EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&ctx));
        info.window = ctx.found;
        return info.window != nullptr;
      },
      timeoutMs);
  if (info.window) info.text = MessageText(info.window);
  return info;
}

bool PressButton(HWND dialog, const char* caption) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[64];
    GetClassNameA(child, cls, sizeof cls);
    if (_stricmp(cls, "Button") != 0) continue;
    if (StripAmpersands(WindowText(child)) != caption) continue;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                 reinterpret_cast<LPARAM>(child));
    return true;
  }
  return false;
}

void ExpectMessageBox(DWORD pid, const std::string& text, const char* button) {
  MessageBoxInfo box = WaitForMessageBox(pid);
  ASSERT_NE(box.window, nullptr) << "no message box appeared; expected: " << text;
  EXPECT_EQ(box.text, text);
  ASSERT_TRUE(PressButton(box.window, button)) << "no button " << button;
  WaitFor([&] { return !IsWindow(box.window); });
}

namespace {
BOOL CALLBACK FindEditChild(HWND window, LPARAM param) {
  char cls[64];
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindEditor(HWND main) {
  HWND editor = nullptr;
  EnumChildWindows(main, FindEditChild, reinterpret_cast<LPARAM>(&editor));
  return editor;
}

void Command(HWND main, UINT id) { PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void TypeText(HWND editor, const std::string& text) {
  const std::string before = WindowText(editor);
  std::string expected = before;
  for (char c : text) {
    if (c == '\n') {
      PostMessageA(editor, WM_CHAR, '\r', 0);
      expected += "\r\n";
    } else {
      PostMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 0);
      expected += c;
    }
  }
  EXPECT_TRUE(WaitFor([&] { return WindowText(editor).size() >= expected.size(); }))
      << "typed text did not arrive";
}

void PasteText(HWND main, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);
  CloseClipboard();
  Command(main, ID_EDIT_PASTE);
}

bool WaitForCaption(HWND window, const std::string& caption) {
  return WaitFor([&] { return WindowText(window) == caption; });
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadFileBytes(const std::string& path) {
  Bytes bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string NoteCaption(int current, int count) {
  return "Quillery - (Note View: Note " + std::to_string(current) + " of " +
         std::to_string(count) + ")";
}

std::string ListCaption(int count) {
  return "Quillery - (List View: " + std::to_string(count) + " notes)";
}

void SeedCreatedPad(const ProgramFolder& folder) {
  CreateDirectoryA((folder.dir() + "Users").c_str(), nullptr);
  CreateDirectoryA(folder.userDir().c_str(), nullptr);
  WriteDword("General", "Flags", 1);
  WriteString("General", "CurFile", folder.notesFile());
  WriteString("General", "BackupFile", folder.backupFile());
}

Session::Session(const std::vector<std::string>& notes, const std::function<void()>& settings) {
  if (!notes.empty()) {
    SeedCreatedPad(folder);
    WriteDword("General", "LastViewed", 1);
    WriteFileBytes(folder.notesFile(), NotesFileImage(notes));
  }
  if (settings) settings();
  program = std::make_unique<Program>(folder);
  main = WaitForMainWindow();
  if (main == nullptr) return;
  WaitFor([&] {
    editor = FindEditor(main);
    return editor != nullptr || WindowText(main).find("(List View") != std::string::npos;
  });
}

Bytes Session::QuitAndRead() {
  Command(main, ID_APP_QUIT);
  EXPECT_TRUE(program->WaitForExit());
  return ReadFileBytes(folder.notesFile());
}

}  // namespace e2e
