#pragma once
#include <cstdint>
#include <string>

// Everything the program remembers between runs apart from the notes. One
// instance lives for the whole process; LoadSettings fills it once and
// SaveSettings writes back the groups named by a bit mask.

constexpr uint32_t SETTINGS_FILES = 0x01;
constexpr uint32_t SETTINGS_PREFERENCES = 0x02;
constexpr uint32_t SETTINGS_APPEARANCE = 0x04;
constexpr uint32_t SETTINGS_RUN_KEY = 0x10;
constexpr uint32_t SETTINGS_PROXY = 0x20;
constexpr uint32_t SETTINGS_UPGRADE = 0x40;

constexpr uint32_t FLAG_FILE_CREATED = 0x01;
constexpr uint32_t FLAG_ASK_DEFAULT_PATH = 0x02;
constexpr uint32_t FLAG_UPGRADE_PENDING = 0x10;

constexpr size_t UPGRADE_VERSION_CAPACITY = 32;  // 31 characters and the terminator

// Byte-for-byte image of a Windows LOGFONTA (60 bytes on 32 and 64-bit).
struct LogFont {
  int32_t height;
  int32_t width;
  int32_t escapement;
  int32_t orientation;
  int32_t weight;
  uint8_t italic;
  uint8_t underline;
  uint8_t strikeOut;
  uint8_t charSet;
  uint8_t outPrecision;
  uint8_t clipPrecision;
  uint8_t quality;
  uint8_t pitchAndFamily;
  char faceName[32];
};
static_assert(sizeof(LogFont) == 60, "LOGFONTA image is 60 bytes");

struct Settings {
  // General
  std::string curFile;
  std::string backupFile;
  uint32_t lastViewed = 0;
  int32_t lastVersionCheck = 0;
  uint32_t flags = 0;
  uint32_t setupWizRun = 0;
  uint32_t autoSave = 1;
  uint32_t autoSaveTime = 30;
  uint32_t closeToTray = 1;
  uint32_t runInTray = 1;
  uint32_t startWithWindows = 1;
  uint32_t verifyDelete = 1;
  uint32_t useBackups = 1;
  uint32_t currentPrefsTab = 0;
  uint32_t useFixedTime = 0;
  uint32_t useRemindSound = 1;
  uint32_t fixedTime = 32400;
  uint32_t snoozeTime = 3600;
  uint32_t remindTime = 86400;
  std::string lastUpgradeFile;
  std::string lastUpgradeVersion;  // never longer than UPGRADE_VERSION_CAPACITY - 1
  // Host (and port) of the version file; set in the registry only, for a
  // mirror or a test server. Never written back.
  std::string updateServer = "www.brindlesoftware.com";

  // Appearance
  int32_t noteX = 50;
  int32_t noteY = 38;
  int32_t noteCX = 512;
  int32_t noteCY = 328;
  // 1 when the window was last seen maximised; NoteX to NoteCY then still
  // hold the rectangle it is restored to.
  uint32_t noteMaximized = 0;
  uint32_t backgroundColor = 0x80FFFF;
  uint32_t foregroundColor = 0xFF0000;
  uint32_t listBackgroundColor = 0xFFFFFF;
  uint32_t listForegroundColor = 0;
  uint32_t tabs = 8;
  uint32_t onTop = 0;
  uint32_t noteMode = 1;
  uint32_t columnWidth[4] = {0, 0, 0, 0};
  uint32_t customColor[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                              0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                              0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  LogFont noteFont{};
  LogFont listFont{};

  // Proxies
  uint32_t proxyOption = 1;
  std::string httpProxy, httpPort;
  std::string ftpProxy, ftpPort;
  std::string socksProxy, socksPort;

  // Not read from the store: the program's folder with its trailing
  // backslash (saved without it as "App Path" for programs outside Quillery),
  // and the Windows user name ("Default" when it cannot be had).
  std::string appDir;
  std::string userName;
};

// Where a first run puts the notes file and its backup.
inline std::string DefaultNotesFile(const Settings& s) {
  return s.appDir + "Users\\" + s.userName + "\\Quillery.dat";
}
inline std::string DefaultBackupFile(const Settings& s) {
  return s.appDir + "Users\\" + s.userName + "\\Quillery.bak";
}
