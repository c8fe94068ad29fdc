#pragma once
#include <string>

#include "settings/SettingsIO.h"

// What the settings need from the running system. The application passes the
// face lists of strings 325 (note font) and 326 (list font).

// The Windows user name; "Default" when the system gives none.
std::string CurrentUserName();

// The full path of the running executable.
std::string ProgramPath();

// The fonts used when none are stored. Each starts from the system font; the
// list font is 8 points high. The first face of the newline-separated list
// that the system has is taken with a character height (negative); when none
// exists the system font stays, with pitch-and-family 6. The list font is
// always of normal weight.
void DefaultFonts(const std::string& noteFaces, const std::string& listFaces, LogFont& noteFont,
                  LogFont& listFont);

// All of the above for LoadSettings: appDir is the folder of ProgramPath().
SettingsDefaults CurrentSettingsDefaults(const std::string& noteFaces,
                                         const std::string& listFaces);
