#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

// What only the running system can tell the settings: where the program
// lies, who runs it, and the fonts to use when none are stored.
struct SettingsDefaults {
  std::string appDir;    // the program's folder, with its trailing backslash
  std::string userName;  // "Default" when the system gives none
  LogFont noteFont{};
  LogFont listFont{};
};

// Fills `settings` from the store. Every value that is missing or stored
// with another type takes its default; "CurFile" and "BackupFile" default to
// the paths under appDir\Users\<userName>\. Values are not range-checked.
void LoadSettings(Settings& settings, ISettingsStore& store, const SettingsDefaults& defaults);

// Writes the groups named in `groups` (SETTINGS_*), in this order:
// APPEARANCE, UPGRADE, FILES, then "LastViewed" and "Last Version Check"
// (FILES or APPEARANCE), PREFERENCES, the proxies (PREFERENCES or PROXY) and
// the Run entry (PREFERENCES or RUN_KEY): `runCommand` when
// "StartWithWindows" is set, otherwise the entry is deleted.
void SaveSettings(const Settings& settings, ISettingsStore& store, uint32_t groups,
                  const std::string& runCommand);

// The folder part of a Windows path, up to and including its last backslash
// ("" when there is none).
std::string FolderOfPath(const std::string& path);

// The Run entry's command: the full path of the program, quoted when it
// holds a blank, and " -quiet". (A short 8.3 path is not always there: such
// names can be turned off per volume.)
std::string RunCommandFor(const std::string& programPath);

// The face names of a newline-separated list, in order, without empty lines.
std::vector<std::string> SplitFaceList(const std::string& list);
