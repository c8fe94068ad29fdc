#pragma once
#include <cstdint>

#include "settings/Settings.h"
#include "store/NoteStore.h"

// Rules of the main window that need no window to decide.

// A command's help topic is HELP_COMMAND_BASE (res/resource.h) plus its id.

// F1 asks for the topic of the view that is shown.
uint32_t HelpContextForF1(bool noteView);
// The "Frequently Asked Questions" topic.
uint32_t HelpContextForFaq();
// A menu item's topic; 0 when the item has no id of its own (a popup or a
// separator), so the request goes to the default handling.
uint32_t HelpContextForMenuItem(uint32_t itemId);

// What a click in context-help mode (Shift+F1) landed on.
enum class HelpClick { Outside, CommandButton, Window };
// The topic the click asks for: a toolbar button's command, or the view
// shown for any other place in the main window; 0 (none) outside it.
uint32_t HelpContextForClick(HelpClick click, uint32_t commandId, bool noteView);

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

// The status bar shows "REMIND" while the current note has a pending reminder.
bool ShowsReminderIndicator(const NoteStore& store);
