#pragma once
#include <windows.h>

#include "settings/Settings.h"

// The first-run setup wizard: six pages over the few settings that matter
// most for a program meant to stay running. Finish copies the choices into
// `settings` and returns true; Cancel changes nothing.
bool RunSetupWizard(Settings& settings);
