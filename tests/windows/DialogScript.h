#pragma once
// Drives a modal dialog or property sheet of this thread from inside its
// own message loop: once the box is up, a script works on it; a box the
// script leaves open is cancelled.
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "framework/App.h"
#include "help/win32/ContextHelp.h"

class CDialogScript {
 public:
  explicit CDialogScript(std::function<void(HWND)> work) : script(std::move(work)) {
    current = this;
    timer = SetTimer(nullptr, 0, 20, Tick);
  }
  ~CDialogScript() {
    if (timer != 0) KillTimer(nullptr, timer);
    current = nullptr;
  }
  CDialogScript(const CDialogScript&) = delete;
  CDialogScript& operator=(const CDialogScript&) = delete;

  bool ran = false;

 private:
  static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    if (std::strcmp(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    CDialogScript* self = current;
    if (self == nullptr || self->ran) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    KillTimer(nullptr, self->timer);
    self->timer = 0;
    self->ran = true;
    self->script(box);
    if (IsWindow(box) && IsWindowVisible(box)) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  }

  static inline CDialogScript* current = nullptr;
  std::function<void(HWND)> script;
  UINT_PTR timer = 0;
};

// Help requests as the help engine receives them.
class CRecordingHelp : public IHelpEngine {
 public:
  struct Call {
    HWND window;
    std::string file;
    UINT command;
    ULONG_PTR data;
    std::vector<DWORD> pairs;  // the pair list of HELP_WM_HELP and HELP_CONTEXTMENU
  };
  bool Installed() override { return installed; }
  void WinHelp(HWND window, const std::string& file, UINT command, ULONG_PTR data) override {
    Call call{window, file, command, data, {}};
    if (command == HELP_WM_HELP || command == HELP_CONTEXTMENU) {
      const auto* pairs = reinterpret_cast<const DWORD*>(data);
      call.pairs.assign(pairs, pairs + 4);
    }
    calls.push_back(call);
  }
  std::vector<Call> calls;
  bool installed = true;
};

// A help file beside the test program for the time of a case.
// Help pages in a folder of the test's own; opening one only records it.
class CRecordingPages : public CHelpPages {
 public:
  CRecordingPages() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "QuilleryHelpTest\\";
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ~CRecordingPages() override {
    for (const std::string& page : pages) DeleteFileA((folder + page).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  void Add(const std::string& page) {
    CloseHandle(CreateFileA((folder + page).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    pages.push_back(page);
  }
  std::string Folder() override { return folder; }
  void Open(const std::string& url, const std::string&) override { opened.push_back(url); }

  std::string folder;
  std::vector<std::string> pages;
  std::vector<std::string> opened;
};

class CHelpFilePresent {
 public:
  explicit CHelpFilePresent(const std::string& path) : file(path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  ~CHelpFilePresent() { DeleteFileA(file.c_str()); }
  CHelpFilePresent(const CHelpFilePresent&) = delete;
  CHelpFilePresent& operator=(const CHelpFilePresent&) = delete;

 private:
  std::string file;
};
