#include "app/Startup.h"

#include "app/VersionText.h"

OtherCopyAction DecideOtherCopy(bool otherCopyRunning, StartState& state) {
  const bool stopRequested = state.commandLine.removeRequested || state.commandLine.killAllRequested;
  if (otherCopyRunning || stopRequested) state.exitAtStart = true;
  if (!otherCopyRunning) return OtherCopyAction::None;
  return stopRequested ? OtherCopyAction::Quit : OtherCopyAction::Activate;
}

StartWindowState InitialWindowState(bool showMainWindow, uint32_t runInTray) {
  if (showMainWindow) return StartWindowState::Shown;
  return runInTray == 1 ? StartWindowState::Hidden : StartWindowState::Minimised;
}

void DropStaleUpgrade(Settings& settings, const ProductInfo& product) {
  if ((settings.flags & FLAG_UPGRADE_PENDING) == 0) return;
  const std::string own = FormatProductVersion(product.versionMS, product.versionLS);
  if (!IsUpgradeNewer(settings.lastUpgradeVersion, own)) settings.flags &= ~FLAG_UPGRADE_PENDING;
}

UninstallCommand UninstallerIn(const std::string& folder) {
  return {folder + "unwise.exe", folder + "install.log"};
}
