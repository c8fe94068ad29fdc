#pragma once
#include "settings/Settings.h"

// "Close to Tray" is offered (in the File menu and both context menus) and
// closing the main window only hides it, exactly while the tray icon is
// shown and the user asked for it.
bool OffersCloseToTray(bool trayIconShown, const Settings& settings);
