#pragma once
#include <cstdint>

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
// not kept.
void RecordWindowRect(Settings& settings, const WindowRect& rect, bool minimised);
