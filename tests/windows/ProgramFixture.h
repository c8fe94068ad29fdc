#pragma once
// The program's main window, document and note view in-process, wired as
// start-up wires them, over a notes file in the temporary folder and
// settings saves that are only recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/win32/QuilleryApp.h"
#include "framework/Win32Messages.h"
#include "res/WindowMessages.h"
#include "shared/FakeMessages.h"

// Texts from the program's resources, as the running program loads them.
class CResourceMessages : public FakeMessages {
 public:
  std::string LoadText(uint32_t id) override { return LoadResourceString(id); }
};

// A text of `length` characters in short lines: the edit control lays out
// one line of tens of thousands of characters very slowly under Wine.
inline std::string LinedText(size_t length, char letter) {
  std::string text;
  while (text.size() < length) text += text.size() % 64 == 30 ? "\r\n" : std::string(1, letter);
  text.resize(length);
  return text;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.Allocate());
    store.ResetToEmptyPad();
    store.dirty = false;
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    settings.curFile = std::string(folder) + "QuilleryProgramTest.dat";
    DeleteFileA(settings.curFile.c_str());
    settings.noteX = 60;
    settings.noteY = 70;
    settings.noteCX = 480;
    settings.noteCY = 320;
    settings.onTop = 1;
    // A test that wants the tray icon adds it.
    settings.runInTray = 0;
    settings.setupWizRun = 1;
    ASSERT_TRUE(frame.LoadMainFrame(view));
    app.SetMainWnd(&frame);
  }
  void TearDown() override {
    if (frame.GetSafeHwnd() != nullptr) frame.DestroyWindow();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    DeleteFileA(settings.curFile.c_str());
  }

  // Notes "one", "two", ... with note `current` shown.
  void FillPad(const std::vector<std::string>& texts, uint32_t current) {
    for (const std::string& text : texts) {
      NoteEntry entry{};
      ASSERT_EQ(doc.Notes().InsertNote(store.header.noteCount + 1, text, entry), RESULT_OK);
    }
    store.currentNote = current;
    doc.Notes().ShowCurrentNote();
  }
  void Type(const std::string& text) {
    for (char c : text) SendMessageA(view.GetSafeHwnd(), WM_CHAR, static_cast<unsigned char>(c), 0);
  }
  HWND Frame() const { return frame.GetSafeHwnd(); }
  std::string Caption() const {
    char text[256] = {};
    GetWindowTextA(frame.GetSafeHwnd(), text, sizeof(text));
    return text;
  }

  CQuilleryApp app;  // routes the About command; its start-up is not run
  CResourceMessages messages;
  NoteStore store;
  Settings settings;
  CWin32FileSystem files;
  std::vector<uint32_t> savedGroups;
  RecoveryContext notesFile{
      {store, settings, files, [] { return int32_t{1000000}; }, [this](uint32_t groups) { savedGroups.push_back(groups); }},
      messages};
  StartState start;
  CQuilleryView view{settings};
  CQuilleryDoc doc{store, settings, view, messages};
  CMainFrame frame{notesFile, start.startupInProgress, doc};
};

// The application's own message boxes (the dialogs') are recorded too.
class ProgramMessagesTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    app.SetMessages(&messages);
  }
  void TearDown() override {
    app.SetMessages(nullptr);
    ProgramTest::TearDown();
  }
};
