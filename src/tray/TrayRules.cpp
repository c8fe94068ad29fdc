#include "tray/TrayRules.h"

#include "res/resource.h"

namespace {
// The shell's mouse messages as the icon's lParam (winuser.h).
constexpr uint32_t MOUSE_RIGHT_DOWN = 0x0204;
constexpr uint32_t MOUSE_LEFT_DOUBLE_CLICK = 0x0203;
}  // namespace

bool OffersCloseToTray(bool trayIconShown, const Settings& settings) {
  return trayIconShown && settings.closeToTray == 1;
}

TrayAction TrayNotification(uint32_t iconId, uint32_t mouseMessage) {
  if (iconId != IDR_MAINFRAME) return TrayAction::None;
  if (mouseMessage == MOUSE_LEFT_DOUBLE_CLICK) return TrayAction::OpenWindow;
  if (mouseMessage == MOUSE_RIGHT_DOWN) return TrayAction::ShowMenu;
  return TrayAction::None;
}

ActivateAction ActivateFromOtherCopy(bool trayIconShown, bool minimised) {
  if (trayIconShown) return ActivateAction::OpenWindow;
  return minimised ? ActivateAction::Restore : ActivateAction::BringForward;
}

