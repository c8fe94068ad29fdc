#pragma once
#include <cstdint>

#include "settings/Settings.h"

// "Close to Tray" is offered (in the File menu and both context menus) and
// closing the main window only hides it, exactly while the tray icon is
// shown and the user asked for it.
bool OffersCloseToTray(bool trayIconShown, const Settings& settings);

// What the main window does about one tray-icon notification.
enum class TrayAction {
  None,        // not ours, or a mouse message the icon ignores
  OpenWindow,  // double-click
  ShowMenu,    // right button pressed
};

// `iconId` and `mouseMessage` are the notification's wParam and lParam.
TrayAction TrayNotification(uint32_t iconId, uint32_t mouseMessage);

// What a second copy's request to come forward does.
enum class ActivateAction { OpenWindow, Restore, BringForward };
ActivateAction ActivateFromOtherCopy(bool trayIconShown, bool minimised);

