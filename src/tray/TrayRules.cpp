#include "tray/TrayRules.h"

bool OffersCloseToTray(bool trayIconShown, const Settings& settings) {
  return trayIconShown && settings.closeToTray == 1;
}
