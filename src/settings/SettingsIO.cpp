#include "settings/SettingsIO.h"

#include <type_traits>

namespace {

constexpr const char* GENERAL = "General";
constexpr const char* APPEARANCE = "Appearance";
constexpr const char* PROXIES = "Proxies";

// Each list below names its values once; loading and saving both walk it, so
// the names cannot drift apart.

template <typename S, typename Visit>
void VisitAppearanceInts(S& s, Visit&& visit) {
  visit("NoteX", s.noteX);
  visit("NoteY", s.noteY);
  visit("NoteCX", s.noteCX);
  visit("NoteCY", s.noteCY);
  visit("NoteMaximized", s.noteMaximized);
  visit("BackgroundColor", s.backgroundColor);
  visit("ForegroundColor", s.foregroundColor);
  visit("ListBackgroundColor", s.listBackgroundColor);
  visit("ListForegroundColor", s.listForegroundColor);
  visit("Tabs", s.tabs);
  visit("On Top", s.onTop);
  visit("Note Mode", s.noteMode);
  char column[] = "ColumnWidth_0";
  for (int i = 0; i < 4; ++i) {
    column[sizeof column - 2] = static_cast<char>('0' + i);
    visit(column, s.columnWidth[i]);
  }
  char color[] = "Custom Color_A";
  for (int i = 0; i < 16; ++i) {
    color[sizeof color - 2] = static_cast<char>('A' + i);
    visit(color, s.customColor[i]);
  }
}

template <typename S, typename Visit>
void VisitAppearanceGeneralInts(S& s, Visit&& visit) {
  visit("Flags", s.flags);
  visit("Setup Wiz Run", s.setupWizRun);
}

template <typename S, typename Visit>
void VisitUpgradeStrings(S& s, Visit&& visit) {
  visit("Last Upgrade File", s.lastUpgradeFile);
  visit("Last Upgrade Version", s.lastUpgradeVersion);
}

template <typename S, typename Visit>
void VisitPositionInts(S& s, Visit&& visit) {
  visit("LastViewed", s.lastViewed);
  visit("Last Version Check", s.lastVersionCheck);
}

template <typename S, typename Visit>
void VisitPreferenceInts(S& s, Visit&& visit) {
  visit("AutoSave", s.autoSave);
  visit("AutoSaveTime", s.autoSaveTime);
  visit("CloseToTray", s.closeToTray);
  visit("RunInTray", s.runInTray);
  visit("StartWithWindows", s.startWithWindows);
  visit("Verify Delete", s.verifyDelete);
  visit("Use Backups", s.useBackups);
  visit("Current Prefs Tab", s.currentPrefsTab);
  visit("Use Fixed Time", s.useFixedTime);
  visit("Use Remind Sound", s.useRemindSound);
  visit("Fixed Time", s.fixedTime);
  visit("Snooze Time", s.snoozeTime);
  visit("Remind Time", s.remindTime);
}

template <typename S, typename Visit>
void VisitProxyStrings(S& s, Visit&& visit) {
  visit("HTTP Proxy", s.httpProxy);
  visit("HTTP Port", s.httpPort);
  visit("FTP Proxy", s.ftpProxy);
  visit("FTP Port", s.ftpPort);
  visit("SOCSK Proxy", s.socksProxy);  // the stored name is spelled so
  visit("SOCKS Port", s.socksPort);
}

struct IntReader {
  ISettingsStore& store;
  const char* section;
  template <typename T>
  void operator()(const char* name, T& field) const {
    static_assert(std::is_integral_v<T> && sizeof(T) == 4, "settings integers are 32-bit");
    uint32_t value = 0;
    if (store.ReadInt(section, name, value)) field = static_cast<T>(value);
  }
};

struct IntWriter {
  ISettingsStore& store;
  const char* section;
  template <typename T>
  void operator()(const char* name, const T& field) const {
    store.WriteInt(section, name, static_cast<uint32_t>(field));
  }
};

struct StringReader {
  ISettingsStore& store;
  const char* section;
  void operator()(const char* name, std::string& field) const {
    std::string value;
    if (store.ReadString(section, name, value)) field = value;
  }
};

struct StringWriter {
  ISettingsStore& store;
  const char* section;
  void operator()(const char* name, const std::string& field) const {
    store.WriteString(section, name, field);
  }
};

void ReadFont(ISettingsStore& store, const char* name, LogFont& font) {
  LogFont stored{};
  if (!store.ReadBinary(APPEARANCE, name, &stored, sizeof stored)) return;
  // A stored face name without its terminator must not run into the bytes
  // that follow it.
  stored.faceName[sizeof stored.faceName - 1] = '\0';
  font = stored;
}

// "App Path" is the folder without its trailing backslash.
std::string AppPathOf(const std::string& appDir) {
  if (!appDir.empty() && appDir.back() == '\\') return appDir.substr(0, appDir.size() - 1);
  return appDir;
}

}  // namespace

void LoadSettings(Settings& settings, ISettingsStore& store, const SettingsDefaults& defaults) {
  Settings s;
  s.appDir = defaults.appDir;
  s.userName = defaults.userName;
  s.curFile = DefaultNotesFile(s);
  s.backupFile = DefaultBackupFile(s);
  s.noteFont = defaults.noteFont;
  s.listFont = defaults.listFont;

  StringReader general{store, GENERAL};
  general("CurFile", s.curFile);
  general("BackupFile", s.backupFile);
  VisitPositionInts(s, IntReader{store, GENERAL});
  VisitAppearanceGeneralInts(s, IntReader{store, GENERAL});
  VisitPreferenceInts(s, IntReader{store, GENERAL});
  VisitUpgradeStrings(s, general);
  general("Update Server", s.updateServer);
  if (s.lastUpgradeVersion.size() >= UPGRADE_VERSION_CAPACITY)
    s.lastUpgradeVersion.resize(UPGRADE_VERSION_CAPACITY - 1);

  VisitAppearanceInts(s, IntReader{store, APPEARANCE});
  ReadFont(store, "Note Font", s.noteFont);
  ReadFont(store, "List Font", s.listFont);

  IntReader{store, PROXIES}("Proxy Option", s.proxyOption);
  VisitProxyStrings(s, StringReader{store, PROXIES});

  settings = std::move(s);
}

void SaveSettings(const Settings& s, ISettingsStore& store, uint32_t groups,
                  const std::string& runCommand) {
  if (groups & SETTINGS_APPEARANCE) {
    VisitAppearanceInts(s, IntWriter{store, APPEARANCE});
    VisitAppearanceGeneralInts(s, IntWriter{store, GENERAL});
    store.WriteBinary(APPEARANCE, "Note Font", &s.noteFont, sizeof s.noteFont);
    store.WriteBinary(APPEARANCE, "List Font", &s.listFont, sizeof s.listFont);
  }
  if (groups & SETTINGS_UPGRADE) {
    IntWriter{store, GENERAL}("Flags", s.flags);
    VisitUpgradeStrings(s, StringWriter{store, GENERAL});
  }
  if (groups & SETTINGS_FILES) {
    store.WriteString(GENERAL, "CurFile", s.curFile);
    store.WriteString(GENERAL, "BackupFile", s.backupFile);
    store.WriteString(GENERAL, "App Path", AppPathOf(s.appDir));
  }
  if (groups & (SETTINGS_FILES | SETTINGS_APPEARANCE)) {
    VisitPositionInts(s, IntWriter{store, GENERAL});
  }
  if (groups & SETTINGS_PREFERENCES) {
    VisitPreferenceInts(s, IntWriter{store, GENERAL});
  }
  if (groups & (SETTINGS_PREFERENCES | SETTINGS_PROXY)) {
    IntWriter{store, PROXIES}("Proxy Option", s.proxyOption);
    VisitProxyStrings(s, StringWriter{store, PROXIES});
  }
  if (groups & (SETTINGS_PREFERENCES | SETTINGS_RUN_KEY)) {
    if (s.startWithWindows != 0)
      store.SetRunEntry(runCommand);
    else
      store.DeleteRunEntry();
  }
}

std::string FolderOfPath(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string RunCommandFor(const std::string& programPath) {
  const bool quote = programPath.find(' ') != std::string::npos;
  return (quote ? '"' + programPath + '"' : programPath) + " -quiet";
}

std::vector<std::string> SplitFaceList(const std::string& list) {
  std::vector<std::string> faces;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) faces.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return faces;
}
