#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "settings/SettingsIO.h"

namespace {

using Type = MemorySettingsStore::Type;

constexpr uint32_t ALL_GROUPS = SETTINGS_FILES | SETTINGS_PREFERENCES | SETTINGS_APPEARANCE |
                                SETTINGS_RUN_KEY | SETTINGS_PROXY | SETTINGS_UPGRADE;

LogFont MakeFont(int32_t height, const char* face) {
  LogFont font{};
  font.height = height;
  font.weight = 400;
  std::strncpy(font.faceName, face, sizeof font.faceName - 1);
  return font;
}

SettingsDefaults Defaults() {
  SettingsDefaults d;
  d.appDir = "C:\\Program Files\\Quillery\\";
  d.userName = "ann";
  d.noteFont = MakeFont(-16, "Arial");
  d.listFont = MakeFont(11, "System");
  return d;
}

Settings Loaded(MemorySettingsStore& store) {
  Settings s;
  LoadSettings(s, store, Defaults());
  return s;
}

// Every stored field changed to a value no default has.
Settings Changed() {
  MemorySettingsStore empty;
  Settings s = Loaded(empty);
  uint32_t n = 1000;
  for (uint32_t* v : {&s.lastViewed, &s.flags, &s.setupWizRun, &s.autoSave, &s.autoSaveTime,
                      &s.closeToTray, &s.runInTray, &s.verifyDelete, &s.useBackups,
                      &s.currentPrefsTab, &s.useFixedTime, &s.useRemindSound, &s.fixedTime,
                      &s.snoozeTime, &s.remindTime, &s.backgroundColor, &s.foregroundColor,
                      &s.listBackgroundColor, &s.listForegroundColor, &s.tabs, &s.onTop,
                      &s.noteMode, &s.noteMaximized, &s.proxyOption})
    *v = n++;
  s.startWithWindows = 0;
  for (uint32_t& w : s.columnWidth) w = n++;
  for (uint32_t& c : s.customColor) c = n++;
  s.lastVersionCheck = -5;
  s.noteX = -1280;
  s.noteY = -3;
  s.noteCX = 700;
  s.noteCY = 500;
  s.curFile = "D:\\notes\\mine.dat";
  s.backupFile = "D:\\notes\\mine.bak";
  s.lastUpgradeFile = "C:\\Program Files\\Quillery\\Upgrades\\setup.exe";
  s.lastUpgradeVersion = "2.01.003";
  s.httpProxy = "proxy.example";
  s.httpPort = "8080";
  s.ftpProxy = "ftp.example";
  s.ftpPort = "21";
  s.socksProxy = "socks.example";
  s.socksPort = "1080";
  s.noteFont = MakeFont(-20, "Courier New");
  s.listFont = MakeFont(-9, "Times New Roman");
  return s;
}

struct Written {
  Type type;
  std::string section, name;
  bool operator==(const Written& o) const {
    return type == o.type && section == o.section && name == o.name;
  }
};
std::ostream& operator<<(std::ostream& os, const Written& w) {
  return os << static_cast<int>(w.type) << ' ' << w.section << '\\' << w.name;
}

std::vector<Written> Writes(const Settings& s, uint32_t groups) {
  MemorySettingsStore store;
  SaveSettings(s, store, groups, "C:\\PROGRA~1\\QUILLERY\\QUILLERY.EXE -quiet");
  std::vector<Written> out;
  for (const auto& w : store.writes) out.push_back({w.type, w.section, w.name});
  return out;
}

void Append(std::vector<Written>& to, Type type, const char* section,
            std::initializer_list<const char*> names) {
  for (const char* n : names) to.push_back({type, section, n});
}

std::vector<Written> AppearanceWrites() {
  std::vector<Written> w;
  Append(w, Type::Int, "Appearance",
         {"NoteX", "NoteY", "NoteCX", "NoteCY", "NoteMaximized", "BackgroundColor", "ForegroundColor",
          "ListBackgroundColor", "ListForegroundColor", "Tabs", "On Top", "Note Mode",
          "ColumnWidth_0", "ColumnWidth_1", "ColumnWidth_2", "ColumnWidth_3"});
  for (char c = 'A'; c <= 'P'; ++c)
    w.push_back({Type::Int, "Appearance", std::string("Custom Color_") + c});
  Append(w, Type::Int, "General", {"Flags", "Setup Wiz Run"});
  Append(w, Type::Binary, "Appearance", {"Note Font", "List Font"});
  return w;
}
std::vector<Written> UpgradeWrites() {
  std::vector<Written> w;
  Append(w, Type::Int, "General", {"Flags"});
  Append(w, Type::String, "General", {"Last Upgrade File", "Last Upgrade Version"});
  return w;
}
std::vector<Written> FilesWrites() {
  std::vector<Written> w;
  Append(w, Type::String, "General", {"CurFile", "BackupFile", "App Path"});
  return w;
}
std::vector<Written> PositionWrites() {
  std::vector<Written> w;
  Append(w, Type::Int, "General", {"LastViewed", "Last Version Check"});
  return w;
}
std::vector<Written> PreferencesWrites() {
  std::vector<Written> w;
  Append(w, Type::Int, "General",
         {"AutoSave", "AutoSaveTime", "CloseToTray", "RunInTray", "StartWithWindows",
          "Verify Delete", "Use Backups", "Current Prefs Tab", "Use Fixed Time",
          "Use Remind Sound", "Fixed Time", "Snooze Time", "Remind Time"});
  return w;
}
std::vector<Written> ProxyWrites() {
  std::vector<Written> w;
  Append(w, Type::Int, "Proxies", {"Proxy Option"});
  Append(w, Type::String, "Proxies",
         {"HTTP Proxy", "HTTP Port", "FTP Proxy", "FTP Port", "SOCSK Proxy", "SOCKS Port"});
  return w;
}
std::vector<Written> Concat(std::initializer_list<std::vector<Written>> parts) {
  std::vector<Written> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace

TEST(Settings, EmptyStoreGivesEveryDefault) {
  MemorySettingsStore store;
  Settings s = Loaded(store);
  Settings plain;
  EXPECT_EQ(s.curFile, "C:\\Program Files\\Quillery\\Users\\ann\\Quillery.dat");
  EXPECT_EQ(s.backupFile, "C:\\Program Files\\Quillery\\Users\\ann\\Quillery.bak");
  EXPECT_EQ(s.appDir, "C:\\Program Files\\Quillery\\");
  EXPECT_EQ(s.userName, "ann");
  SettingsDefaults d = Defaults();
  EXPECT_EQ(std::memcmp(&s.noteFont, &d.noteFont, sizeof(LogFont)), 0);
  EXPECT_EQ(std::memcmp(&s.listFont, &d.listFont, sizeof(LogFont)), 0);

  // Apart from the paths and fonts, the stored image equals that of the
  // built-in defaults.
  s.curFile = s.backupFile = s.appDir = "";
  s.noteFont = s.listFont = LogFont{};
  MemorySettingsStore a, b;
  SaveSettings(s, a, ALL_GROUPS, "x");
  SaveSettings(plain, b, ALL_GROUPS, "x");
  EXPECT_TRUE(a.values == b.values);
}

TEST(Settings, EveryValueIsWrittenAndReadBack) {
  Settings changed = Changed();
  MemorySettingsStore defaults, saved, again;
  SaveSettings(Settings(), defaults, ALL_GROUPS, "run");
  SaveSettings(changed, saved, ALL_GROUPS, "run");

  // Each value differs from its default, so a name read into the wrong field
  // or not read at all shows up below.
  ASSERT_EQ(defaults.values.size(), saved.values.size());
  for (const auto& [key, value] : saved.values) {
    auto d = defaults.values.find(key);
    ASSERT_NE(d, defaults.values.end()) << key.second;
    EXPECT_FALSE(d->second == value) << key.second;
  }

  Settings loaded = Loaded(saved);
  SaveSettings(loaded, again, ALL_GROUPS, "run");
  EXPECT_TRUE(again.values == saved.values);
  EXPECT_EQ(loaded.noteX, -1280);
  EXPECT_EQ(loaded.lastVersionCheck, -5);
  EXPECT_EQ(loaded.socksProxy, "socks.example");
  EXPECT_STREQ(loaded.listFont.faceName, "Times New Roman");
}

TEST(Settings, AllGroupsWriteInOrderWithTheirTypes) {
  std::vector<Written> expected =
      Concat({AppearanceWrites(), UpgradeWrites(), FilesWrites(), PositionWrites(),
              PreferencesWrites(), ProxyWrites(), {{Type::RunSet, "", ""}}});
  EXPECT_EQ(Writes(Settings(), ALL_GROUPS), expected);
}

TEST(Settings, EachGroupWritesOnlyItsValues) {
  Settings s;
  EXPECT_EQ(Writes(s, SETTINGS_FILES), Concat({FilesWrites(), PositionWrites()}));
  EXPECT_EQ(Writes(s, SETTINGS_APPEARANCE), Concat({AppearanceWrites(), PositionWrites()}));
  EXPECT_EQ(Writes(s, SETTINGS_UPGRADE), UpgradeWrites());
  EXPECT_EQ(Writes(s, SETTINGS_PROXY), ProxyWrites());
  EXPECT_EQ(Writes(s, SETTINGS_RUN_KEY), std::vector<Written>({{Type::RunSet, "", ""}}));
  EXPECT_EQ(Writes(s, SETTINGS_PREFERENCES),
            Concat({PreferencesWrites(), ProxyWrites(), {{Type::RunSet, "", ""}}}));
  EXPECT_EQ(Writes(s, SETTINGS_FILES | SETTINGS_APPEARANCE),
            Concat({AppearanceWrites(), FilesWrites(), PositionWrites()}));
  EXPECT_TRUE(Writes(s, 0).empty());
}

TEST(Settings, RunEntryFollowsStartWithWindows) {
  MemorySettingsStore store;
  Settings s;
  SaveSettings(s, store, SETTINGS_RUN_KEY, "C:\\PROGRA~1\\QUILLERY\\QUILLERY.EXE -quiet");
  EXPECT_EQ(store.runEntry, "C:\\PROGRA~1\\QUILLERY\\QUILLERY.EXE -quiet");

  s.startWithWindows = 0;
  SaveSettings(s, store, SETTINGS_PREFERENCES, "unused");
  EXPECT_FALSE(store.runEntry.has_value());
  EXPECT_EQ(store.writes.back().type, Type::RunDelete);
}

TEST(Settings, AppPathHasNoTrailingBackslash) {
  MemorySettingsStore store;
  Settings s;
  s.appDir = "C:\\Tools\\Quillery\\";
  SaveSettings(s, store, SETTINGS_FILES, "");
  EXPECT_EQ((store.values[{"General", "App Path"}].text), "C:\\Tools\\Quillery");
}

TEST(Settings, LastUpgradeVersionIsCutToItsField) {
  MemorySettingsStore store;
  std::string longest(31, '9');
  store.WriteString("General", "Last Upgrade Version", longest);
  EXPECT_EQ(Loaded(store).lastUpgradeVersion, longest);

  store.WriteString("General", "Last Upgrade Version", longest + "12345");
  EXPECT_EQ(Loaded(store).lastUpgradeVersion, longest);
}

TEST(Settings, ValueOfAnotherTypeTakesItsDefault) {
  MemorySettingsStore store;
  store.WriteString("General", "AutoSaveTime", "45");
  store.WriteInt("General", "CurFile", 7);
  store.WriteInt("Proxies", "HTTP Proxy", 1);
  store.WriteInt("Appearance", "Note Font", 1);
  store.WriteBinary("Appearance", "List Font", "short", 5);
  store.WriteInt("General", "Tabs", 4);  // wrong section
  Settings s = Loaded(store);
  EXPECT_EQ(s.autoSaveTime, 30u);
  EXPECT_EQ(s.curFile, DefaultNotesFile(s));
  EXPECT_EQ(s.httpProxy, "");
  EXPECT_STREQ(s.noteFont.faceName, "Arial");
  EXPECT_STREQ(s.listFont.faceName, "System");
  EXPECT_EQ(s.tabs, 8u);
}

TEST(Settings, StoredFaceNameIsAlwaysTerminated) {
  MemorySettingsStore store;
  LogFont font = MakeFont(-12, "");
  std::memset(font.faceName, 'X', sizeof font.faceName);
  store.WriteBinary("Appearance", "Note Font", &font, sizeof font);
  Settings s = Loaded(store);
  EXPECT_EQ(std::string(s.noteFont.faceName), std::string(31, 'X'));
  EXPECT_EQ(s.noteFont.height, -12);
}

TEST(Settings, PathAndFaceListHelpers) {
  EXPECT_EQ(FolderOfPath("C:\\Program Files\\Quillery\\Quillery.exe"),
            "C:\\Program Files\\Quillery\\");
  EXPECT_EQ(FolderOfPath("Quillery.exe"), "");
  EXPECT_EQ(SplitFaceList("Times New Roman\nArial\nCourier New\n"),
            std::vector<std::string>({"Times New Roman", "Arial", "Courier New"}));
  EXPECT_EQ(SplitFaceList("\nArial"), std::vector<std::string>({"Arial"}));
  EXPECT_TRUE(SplitFaceList("").empty());
  EXPECT_EQ(RunCommandFor("C:\\Program Files\\Quillery\\Quillery.exe"),
            "\"C:\\Program Files\\Quillery\\Quillery.exe\" -quiet");
  EXPECT_EQ(RunCommandFor("C:\\Q\\Quillery.exe"), "C:\\Q\\Quillery.exe -quiet");
}
