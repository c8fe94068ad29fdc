#pragma once
#include <cstdint>

// The help topics of the main window's commands and views.

// A command's help topic is HELP_COMMAND_BASE (res/resource.h) plus its id.

// F1 asks for the topic of the view that is shown, or of Print Preview
// while it runs.
uint32_t HelpContextForF1(bool noteView, bool previewing = false);
// The "Frequently Asked Questions" topic.
uint32_t HelpContextForFaq();
// A menu item's topic; 0 when the item is no command with a help page (a
// popup, a separator, a position), so the request goes to the default handling.
uint32_t HelpContextForMenuItem(uint32_t itemId);

// What a click in context-help mode (Shift+F1) landed on.
enum class HelpClick { Outside, CommandButton, Window };
// The topic the click asks for: a toolbar button's command, or the view
// shown for any other place in the main window; 0 (none) outside it.
uint32_t HelpContextForClick(HelpClick click, uint32_t commandId, bool noteView);
