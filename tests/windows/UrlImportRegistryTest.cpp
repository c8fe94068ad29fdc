// The registry reads of Open URL's fallback and of the DeskNotes import:
// values of any length taken by their size, wrong types refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "ProgramFixture.h"
#include "import/win32/ImportCommands.h"
#include "res/resource.h"
#include "settings/win32/RegistryKey.h"
#include "url/win32/UrlCommands.h"

namespace {

constexpr const char* NOTES = "Software\\Quillery Tests\\DeskNotes";

void Write(HKEY root, const std::string& path, const char* name, DWORD type, const std::string& bytes) {
  CRegistryKey key;
  ASSERT_EQ(key.Create(root, path.c_str(), KEY_SET_VALUE), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

void WriteNote(const char* note, const char* name, DWORD type, const std::string& bytes) {
  Write(HKEY_CURRENT_USER, std::string(NOTES) + "\\" + note, name, type, bytes);
}

class UrlImportRegistry : public testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillery Tests");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\qltestscheme");
  }
};

}  // namespace

TEST_F(UrlImportRegistry, RegisteredCommandOfAnyLengthAndOnlyAsString) {
  std::string command;
  EXPECT_FALSE(RegisteredOpenCommand("qltestscheme", command));
  const std::string key = "Software\\Classes\\qltestscheme\\Shell\\Open\\Command";
  const std::string longCommand = "\"C:\\" + std::string(400, 'p') + "\\b.exe\" \"%1\"";
  Write(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, longCommand);  // stored without its terminator
  ASSERT_TRUE(RegisteredOpenCommand("qltestscheme", command));
  EXPECT_EQ(command, longCommand);
  Write(HKEY_LOCAL_MACHINE, key, nullptr, REG_BINARY, longCommand);
  EXPECT_FALSE(RegisteredOpenCommand("qltestscheme", command));
}

TEST_F(UrlImportRegistry, DeskNotesTextsWholeAndOnlyAsStringsTimesOnlyAsDwords) {
  CRegistryDeskNotes missing(NOTES);
  EXPECT_FALSE(missing.Open());
  const std::string longText = std::string(100000, 'x') + '\0';
  WriteNote("1", "Text", REG_SZ, longText);
  WriteNote("1", "Created", REG_DWORD, std::string("\x10\x00\x00\x01", 4));
  WriteNote("1", "Modified", REG_BINARY, std::string("\x10\x00\x00\x01", 4));
  WriteNote("2", "Text", REG_BINARY, "binary");
  WriteNote("3", "Text", REG_SZ, std::string(CRegistryDeskNotes::TEXT_LIMIT + 1, 'y'));

  CRegistryDeskNotes source(NOTES);
  ASSERT_TRUE(source.Open());
  std::string name, text;
  ASSERT_TRUE(source.SubkeyName(0, name));
  EXPECT_EQ(name, "1");
  ASSERT_TRUE(source.Text("1", text));
  EXPECT_EQ(text, longText);
  int32_t time = 0;
  EXPECT_TRUE(source.Time("1", "Created", time));
  EXPECT_EQ(time, 0x01000010);
  EXPECT_FALSE(source.Time("1", "Modified", time));
  EXPECT_FALSE(source.Text("2", text));
  EXPECT_FALSE(source.Text("3", text));
  EXPECT_FALSE(source.Text("4", text));
  EXPECT_TRUE(source.SubkeyName(2, name));
  EXPECT_FALSE(source.SubkeyName(3, name));
}

namespace {

bool OpenUrlEnabled(CMainFrame& frame) {
  CTestCmdUI ui(ID_OPEN_URL);
  frame.RouteUpdate(ui);
  return ui.enabled;
}

}  // namespace

using OpenUrlCommand = ProgramTest;

TEST_F(OpenUrlCommand, NeedsASelectionInTheNoteViewAndRefusesADrivePath) {
  FillPad({" C:\\x.exe\r\nwww"}, 1);
  EXPECT_FALSE(OpenUrlEnabled(frame));
  SendMessageA(view.GetSafeHwnd(), EM_SETSEL, 0, 10);
  EXPECT_TRUE(OpenUrlEnabled(frame));
  EXPECT_TRUE(frame.RouteCommand(ID_OPEN_URL));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{LoadResourceString(IDS_NOT_A_WEB_ADDRESS)}));
  frame.ShowListView();
  EXPECT_FALSE(OpenUrlEnabled(frame));
}
