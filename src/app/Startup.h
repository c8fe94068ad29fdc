#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "app/CommandLine.h"
#include "settings/Settings.h"

// What start-up and the main window share: the command line's words,
// whether this copy is to end at once because another copy runs or was
// asked to stop, and whether start-up is still going on.
struct StartState {
  CommandLineFlags commandLine;
  bool exitAtStart = false;
  // Set while the application starts; the background worker skips its
  // cycles until then.
  std::atomic<bool> startupInProgress{false};
};

enum class OtherCopyAction {
  None,      // no other copy to deal with
  Activate,  // bring the running copy forward
  Quit,      // ask the running copy to save and quit, and wait for it
};

// The single running copy: what to do about a running copy (found or not),
// setting exitAtStart when this copy must end without showing anything.
OtherCopyAction DecideOtherCopy(bool otherCopyRunning, StartState& state);

enum class StartWindowState { Shown, Hidden, Minimised };

// A quiet start hides the window when it lives in the tray, else minimises it.
StartWindowState InitialWindowState(bool showMainWindow, uint32_t runInTray);

// The product's version information, with the values used when the
// executable carries none.
struct ProductInfo {
  std::string name = "Quillery";
  std::string versionText = "Unknown version";
  std::string legalNotice = "Copyright (C) Brindle Software. All rights reserved.";
  uint32_t versionMS = 0x00010000;
  uint32_t versionLS = 0x00100000;
};

// A pending upgrade that is not newer than the running program is forgotten.
void DropStaleUpgrade(Settings& settings, const ProductInfo& product);

// The uninstaller and its log in `folder` (with its trailing backslash).
struct UninstallCommand {
  std::string program;
  std::string parameters;
};
UninstallCommand UninstallerIn(const std::string& folder);
