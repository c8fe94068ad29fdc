// Open URL handing an address to the browser registered for its scheme, a
// drive path refused, and Import from DeskNotes keys written before start.
#include <windows.h>

#include <cstdio>

#include "Fixture.h"
#include "res/resource.h"
#include "shared/FakeMessages.h"

using namespace e2e;

namespace {

constexpr const char* DESKNOTES_KEY = "Software\\Vaporware...\\DeskNotes\\Note";
constexpr const char* TEST_SCHEME_KEY = "Software\\Classes\\qltest";

void SetValue(HKEY root, const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

void SetText(HKEY root, const std::string& path, const char* name, const std::string& text) {
  SetValue(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetTime(const std::string& note, const char* name, DWORD time) {
  SetValue(HKEY_CURRENT_USER, std::string(DESKNOTES_KEY) + "\\" + note, name, REG_DWORD, &time, sizeof time);
}

std::string Selected(HWND editor, DWORD start, DWORD end) {
  SendMessageA(editor, EM_SETSEL, start, end);
  return WindowText(editor).substr(start, end - start);
}

}  // namespace

// The browser registered for "qltest": this driver, which writes the one
// argument it is given into a file.
int e2e::RecordUrl(const char* file, const char* url) {
  FILE* out = std::fopen(file, "wb");
  if (out == nullptr) return 1;
  std::fputs(url, out);
  std::fclose(out);
  return 0;
}

// Web pages open in this driver too; Wine reads the class of ".html" from
// the machine's classes, which another test may not change for good.
namespace {
constexpr const char* HTML_KEY = "Software\\Classes\\.html";
constexpr const char* PAGE_CLASS_KEY = "Software\\Classes\\QuilleryTestPage";
std::string savedHtmlClass;
}  // namespace

void e2e::RegisterPageHandler(const std::string& record) {
  char driver[MAX_PATH];
  GetModuleFileNameA(nullptr, driver, sizeof driver);
  char value[256] = "";
  LONG size = sizeof value;
  savedHtmlClass = RegQueryValueA(HKEY_LOCAL_MACHINE, HTML_KEY, value, &size) == ERROR_SUCCESS ? value : "";
  SetText(HKEY_LOCAL_MACHINE, HTML_KEY, nullptr, "QuilleryTestPage");
  SetText(HKEY_LOCAL_MACHINE, std::string(PAGE_CLASS_KEY) + "\\shell\\open\\command", nullptr,
          "\"" + std::string(driver) + "\" --record-url \"" + record + "\" \"%1\"");
}

void e2e::UnregisterPageHandler() {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, PAGE_CLASS_KEY);
  if (savedHtmlClass.empty())
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, HTML_KEY);
  else
    SetText(HKEY_LOCAL_MACHINE, HTML_KEY, nullptr, savedHtmlClass);
}

TEST_F(E2eTest, OpenUrlStartsTheRegisteredBrowserAndRefusesADrivePath) {
  Session s({"see qltest://host/a?b=1&c", "C:\\windows\\notepad.exe"});
  ASSERT_NE(s.editor, nullptr);
  char driver[MAX_PATH];
  GetModuleFileNameA(nullptr, driver, sizeof driver);
  const std::string record = s.folder.dir() + "url.txt";
  // Wine reads scheme handlers from the machine's classes only.
  SetText(HKEY_LOCAL_MACHINE, std::string(TEST_SCHEME_KEY) + "\\shell\\open\\command", nullptr,
          "\"" + std::string(driver) + "\" --record-url \"" + record + "\" \"%1\"");

  EXPECT_EQ(Selected(s.editor, 4, 25), "qltest://host/a?b=1&c");
  Command(s.main, ID_OPEN_URL);
  EXPECT_TRUE(WaitFor([&] { return FileExists(record) && !ReadFileBytes(record).empty(); }));
  const Bytes recorded = ReadFileBytes(record);
  EXPECT_EQ(std::string(recorded.begin(), recorded.end()), "qltest://host/a?b=1&c");
  DeleteFileA(record.c_str());

  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 2)));
  EXPECT_EQ(Selected(s.editor, 0, 22), "C:\\windows\\notepad.exe");
  Command(s.main, ID_OPEN_URL);
  ExpectMessageBox(s.pid(), StringTableText(IDS_NOT_A_WEB_ADDRESS), "OK");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, TEST_SCHEME_KEY);
  s.QuitAndRead();
  EXPECT_FALSE(FileExists(record));
}

TEST_F(E2eTest, ImportAppendsTheTextNoteCountsTheEmptyOneAndSkipsZero) {
  RegDeleteTreeA(HKEY_CURRENT_USER, DESKNOTES_KEY);
  const std::string key = DESKNOTES_KEY;
  SetText(HKEY_CURRENT_USER, key + "\\0", "Text", "not a note");
  SetText(HKEY_CURRENT_USER, key + "\\1", "Text", "first\rsecond\r");
  SetTime("1", "Created", 1000000000);
  SetTime("1", "Modified", 1100000000);
  SetText(HKEY_CURRENT_USER, key + "\\2", "Text", "");

  Session s({"mine"});
  ASSERT_NE(s.editor, nullptr);
  Command(s.main, ID_IMPORT_DESKNOTES);
  ExpectMessageBox(s.pid(), StringTableText(IDS_ASK_IMPORT_DESKNOTES), "Yes");
  std::string done = StringTableText(IDS_IMPORT_DONE);
  ReplacePlaceholder(done, "<ADDED>", "1");
  ReplacePlaceholder(done, "<FAILED>", "1");
  ExpectMessageBox(s.pid(), done, "OK");
  EXPECT_TRUE(WaitForCaption(s.main, NoteCaption(1, 2)));
  EXPECT_EQ(WindowText(s.editor), "mine");

  const Bytes file = s.QuitAndRead();
  EXPECT_EQ(NoteTexts(file), (std::vector<std::string>{"mine", "first\r\nsecond\r\n"}));
  EXPECT_EQ(ReadU32(file, 276), 1000000000u);
  EXPECT_EQ(ReadU32(file, 280), 1100000000u);
  HKEY left = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key + "\\0").c_str(), 0, KEY_READ, &left), ERROR_SUCCESS)
      << "DeskNotes' keys stay";
  RegCloseKey(left);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vaporware...");
}
