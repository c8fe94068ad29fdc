#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../native/MemorySettingsStore.h"
#include "settings/SettingsIO.h"
#include "settings/win32/RegistryKey.h"
#include "settings/win32/RegistrySettingsStore.h"
#include "settings/win32/Win32SettingsEnvironment.h"

namespace {

constexpr uint32_t ALL_GROUPS = SETTINGS_FILES | SETTINGS_PREFERENCES | SETTINGS_APPEARANCE |
                                SETTINGS_RUN_KEY | SETTINGS_PROXY | SETTINGS_UPGRADE;

struct RawValue {
  DWORD type;
  std::vector<BYTE> data;
};

std::optional<RawValue> ReadRaw(const std::string& keyPath, const char* name) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_QUERY_VALUE) != ERROR_SUCCESS)
    return std::nullopt;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  RawValue value{type, std::vector<BYTE>(size)};
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, value.data.data(), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  value.data.resize(size);
  return value;
}

void WriteRaw(const std::string& keyPath, const char* name, DWORD type, const void* data,
              DWORD size) {
  CRegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, keyPath.c_str(), KEY_SET_VALUE), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
}

// Every value of a key as the memory store would hold it.
void ReadSection(const std::string& keyPath, const char* section, MemorySettingsStore& into) {
  CRegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_QUERY_VALUE), ERROR_SUCCESS)
      << section;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0, size = 0;
    BYTE data[512];
    size = sizeof data;
    if (RegEnumValueA(key.Get(), i, name, &nameSize, nullptr, &type, data, &size) !=
        ERROR_SUCCESS)
      break;
    using Type = MemorySettingsStore::Type;
    MemorySettingsStore::Value v{Type::Int, 0, {}};
    if (type == REG_DWORD) {
      ASSERT_EQ(size, 4u) << name;
      std::memcpy(&v.number, data, 4);
    } else if (type == REG_SZ) {
      ASSERT_GT(size, 0u) << name;
      ASSERT_EQ(data[size - 1], 0) << name << " is stored with its terminator";
      v = {Type::String, 0, std::string(reinterpret_cast<char*>(data), size - 1)};
    } else {
      ASSERT_EQ(type, static_cast<DWORD>(REG_BINARY)) << name;
      v = {Type::Binary, 0, std::string(reinterpret_cast<char*>(data), size)};
    }
    into.values[{section, name}] = v;
  }
}

LogFont Face(int32_t height, const char* face) {
  LogFont font{};
  font.height = height;
  std::strncpy(font.faceName, face, sizeof font.faceName - 1);
  return font;
}

SettingsDefaults TestDefaults() {
  SettingsDefaults d;
  d.appDir = "C:\\Apps\\Quillery\\";
  d.userName = "tester";
  d.noteFont = Face(-13, "Tahoma");
  d.listFont = Face(11, "System");
  return d;
}

class SettingsRegistry : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { savedRun = ReadRaw(RUN_KEY_PATH, RUN_VALUE_NAME); }
  static void TearDownTestSuite() {
    CRegistryKey run;
    if (run.Create(HKEY_CURRENT_USER, RUN_KEY_PATH, KEY_SET_VALUE) != ERROR_SUCCESS) return;
    if (savedRun)
      (void)RegSetValueExA(run.Get(), RUN_VALUE_NAME, 0, savedRun->type, savedRun->data.data(),
                           static_cast<DWORD>(savedRun->data.size()));
    else
      (void)RegDeleteValueA(run.Get(), RUN_VALUE_NAME);
  }
  void SetUp() override {
    programKey = "Software\\Quillery Tests\\Settings " + std::to_string(GetCurrentProcessId());
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, programKey.c_str());
  }
  void TearDown() override {
    (void)RegDeleteTreeA(HKEY_CURRENT_USER, programKey.c_str());
    (void)RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quillery Tests");  // only when empty
  }

  Settings Load() {
    CRegistrySettingsStore store(programKey);
    Settings s;
    LoadSettings(s, store, TestDefaults());
    return s;
  }
  void Save(const Settings& s, uint32_t groups, const std::string& run = "C:\\Q.EXE -quiet") {
    CRegistrySettingsStore store(programKey);
    SaveSettings(s, store, groups, run);
  }
  std::string Section(const char* name) const { return programKey + "\\" + name; }

  std::string programKey;
  static std::optional<RawValue> savedRun;
};
std::optional<RawValue> SettingsRegistry::savedRun;

int CALLBACK TakeFirstFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM param) {
  if (font->lfFaceName[0] == '@') return 1;  // vertical variant
  *reinterpret_cast<std::string*>(param) = font->lfFaceName;
  return 0;
}

// A family this system has, whatever fonts it was given.
std::string InstalledFace(HDC dc) {
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  std::string face;
  EnumFontFamiliesExA(dc, &all, TakeFirstFamily, reinterpret_cast<LPARAM>(&face), 0);
  return face;
}

}  // namespace

TEST_F(SettingsRegistry, FirstSaveCreatesSectionsWithTheStoredTypesAndReadsBack) {
  Settings s = Load();
  EXPECT_EQ(s.curFile, "C:\\Apps\\Quillery\\Users\\tester\\Quillery.dat");
  EXPECT_EQ(s.autoSaveTime, 30u);
  CRegistryKey absent;
  EXPECT_EQ(absent.Open(HKEY_CURRENT_USER, programKey.c_str(), KEY_READ), ERROR_FILE_NOT_FOUND);

  s.curFile = "D:\\Notes\\mine.dat";
  s.lastVersionCheck = -7;
  s.noteX = -1200;
  s.customColor[15] = 0x123456;
  s.socksProxy = "socks.example";
  s.listFont = Face(-9, "Courier New");
  Save(s, ALL_GROUPS);

  // The registry holds exactly the image the portable code wrote, value for
  // value and type for type (the Run entry lives elsewhere).
  MemorySettingsStore expected, actual;
  SaveSettings(s, expected, ALL_GROUPS, "");
  for (const char* section : {"General", "Appearance", "Proxies"})
    ReadSection(Section(section), section, actual);
  EXPECT_TRUE(actual.values == expected.values);
  auto font = ReadRaw(Section("Appearance"), "Note Font");
  ASSERT_TRUE(font);
  EXPECT_EQ(font->type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(font->data.size(), 60u);

  MemorySettingsStore reread;
  SaveSettings(Load(), reread, ALL_GROUPS, "");
  EXPECT_TRUE(reread.values == expected.values);
}

TEST_F(SettingsRegistry, MalformedValuesTakeTheirDefaults) {
  DWORD seven = 7;
  const char unterminated[] = {'a', 'b', 'c'};
  WriteRaw(Section("General"), "CurFile", REG_DWORD, &seven, sizeof seven);
  WriteRaw(Section("General"), "AutoSaveTime", REG_SZ, "45", 3);
  WriteRaw(Section("Proxies"), "HTTP Port", REG_SZ, unterminated, sizeof unterminated);
  WriteRaw(Section("Appearance"), "Note Font", REG_BINARY, "short", 5);
  std::vector<BYTE> tooLong(61, 0);
  WriteRaw(Section("Appearance"), "List Font", REG_BINARY, tooLong.data(), 61);
  std::string version(40, '7');
  WriteRaw(Section("General"), "Last Upgrade Version", REG_SZ, version.c_str(),
           static_cast<DWORD>(version.size() + 1));

  Settings s = Load();
  EXPECT_EQ(s.curFile, DefaultNotesFile(s));
  EXPECT_EQ(s.autoSaveTime, 30u);
  EXPECT_EQ(s.httpPort, "abc");
  EXPECT_STREQ(s.noteFont.faceName, "Tahoma");
  EXPECT_STREQ(s.listFont.faceName, "System");
  EXPECT_EQ(s.lastUpgradeVersion, std::string(31, '7'));
}

TEST_F(SettingsRegistry, RunEntryHoldsTheProgramsPathOrDisappears) {
  Settings s = Load();
  const std::string program = "C:\\Program Files\\Quillery\\Quillery.exe";
  Save(s, SETTINGS_RUN_KEY, RunCommandFor(program));

  auto run = ReadRaw(RUN_KEY_PATH, RUN_VALUE_NAME);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->type, static_cast<DWORD>(REG_SZ));
  const std::string expected = "\"" + program + "\" -quiet";
  EXPECT_EQ(std::string(run->data.begin(), run->data.end()), expected + '\0');

  s.startWithWindows = 0;
  Save(s, SETTINGS_PREFERENCES);
  EXPECT_FALSE(ReadRaw(RUN_KEY_PATH, RUN_VALUE_NAME));
}

TEST_F(SettingsRegistry, DeletedValueReadsAsAbsent) {
  CRegistrySettingsStore store(programKey);
  store.DeleteValue("Find", "String_a");  // no section yet
  store.WriteString("Find", "String_a", "cat");
  store.WriteString("Find", "String_b", "dog");
  store.DeleteValue("Find", "String_a");
  std::string text;
  EXPECT_FALSE(store.ReadString("Find", "String_a", text));
  EXPECT_TRUE(store.ReadString("Find", "String_b", text));
}

TEST(SettingsEnvironment, ProgramFolderAndUser) {
  SettingsDefaults d = CurrentSettingsDefaults("", "");
  EXPECT_FALSE(d.userName.empty());
  ASSERT_FALSE(d.appDir.empty());
  EXPECT_EQ(d.appDir.back(), '\\');
  EXPECT_EQ(ProgramPath().rfind(d.appDir, 0), 0u);
}

TEST(SettingsEnvironment, FontDefaults) {
  LOGFONTA system{};
  ASSERT_NE(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  std::string face = InstalledFace(dc);
  DeleteDC(dc);
  const LONG listHeight = (8 * dpi + 71) / 72;
  ASSERT_FALSE(face.empty());

  // The first existing face of the list wins.
  LogFont note{}, list{};
  DefaultFonts("No Such Face\n" + face + "\n", face + "\n", note, list);
  EXPECT_STREQ(note.faceName, face.c_str());
  EXPECT_EQ(note.height, -std::abs(system.lfHeight));
  EXPECT_EQ(note.width, 0);
  EXPECT_EQ(note.charSet, 1);
  EXPECT_EQ(note.outPrecision, 3);
  EXPECT_EQ(note.quality, 1);
  EXPECT_EQ(note.pitchAndFamily, 0);
  EXPECT_STREQ(list.faceName, face.c_str());
  EXPECT_EQ(list.height, -listHeight);
  EXPECT_EQ(list.weight, 400);

  // Without any listed face both keep the system font, marked pitch 6.
  DefaultFonts("No Such Face\n", face.substr(1) + "\nNo Such Face Either\n", note, list);
  EXPECT_STREQ(note.faceName, system.lfFaceName);
  EXPECT_EQ(note.height, system.lfHeight);
  EXPECT_EQ(note.weight, system.lfWeight);
  EXPECT_EQ(note.pitchAndFamily, 6);
  EXPECT_STREQ(list.faceName, system.lfFaceName);
  EXPECT_EQ(list.height, listHeight);
  EXPECT_EQ(list.weight, 400);
  EXPECT_EQ(list.pitchAndFamily, 6);
}
