#pragma once
#include <cstdint>
#include <vector>

#include "settings/Settings.h"

// Rules of the main window that need no window to decide.

// The window's rectangle in screen pixels, frame included.
struct WindowRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// The rectangle the window is created with.
WindowRect StoredWindowRect(const Settings& settings);
// Keeps the rectangle of a moved or resized window for the next start. A
// minimised window's rectangle is the icon's place, not the window's, and is
// not kept; a maximised window keeps the rectangle it had before and is
// remembered as maximised.
void RecordWindowRect(Settings& settings, const WindowRect& rect, bool minimised, bool maximised);

// How much of the window's top band must lie on a monitor for the user to
// reach its title bar with the mouse.
constexpr int32_t TITLE_GRIP = 32;

// Where the window opens on the monitors whose work areas are given. The
// stored rectangle stays when the user can reach its title bar and it fits
// on the monitor it is mostly on; otherwise it goes onto that monitor (or the
// nearest one, when it is on none), shrunk only when it is larger.
WindowRect OnScreenWindowRect(const WindowRect& stored, const std::vector<WindowRect>& workAreas);
