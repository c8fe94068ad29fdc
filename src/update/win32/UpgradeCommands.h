#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Frame.h"
#include "store/Recovery.h"
#include "update/VersionFile.h"

class CMainFrame;

// "Check for newer version", the download of an offered upgrade and the
// offer to install a downloaded one. The frame routes the command here.
class CUpgradeCommands : public CCmdTarget {
 public:
  CUpgradeCommands(CMainFrame& frame, RecoveryContext& notesFile);
  CUpgradeCommands(const CUpgradeCommands&) = delete;
  CUpgradeCommands& operator=(const CUpgradeCommands&) = delete;

  // The product version numbers of the running program.
  void SetRunningVersion(uint32_t versionMS, uint32_t versionLS);
  // Asks whether to install the downloaded upgrade; on Yes saves the notes,
  // starts its installer and quits. True when the program is quitting.
  bool OfferUpgradeInstall();

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnCheckForNewerVersion();
  // False when the Upgrades folder could not be made (reported).
  bool DownloadUpgrade(const std::string& url, const std::string& description, const VersionInfo& info,
                       const std::string& agent);
  static const CommandEntry<CUpgradeCommands> COMMANDS[1];

  CMainFrame& frame;
  RecoveryContext& notesFile;
  uint32_t versionMS = 0x00010000;
  uint32_t versionLS = 0x00100000;
};
