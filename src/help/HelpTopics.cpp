#include "help/HelpTopics.h"

#include "help/HelpPages.h"
#include "res/resource.h"

uint32_t HelpContextForF1(bool noteView, bool previewing) {
  if (previewing) return HELP_COMMAND_BASE + ID_FILE_PRINT_PREVIEW;
  return HELP_COMMAND_BASE + (noteView ? ID_VIEW_NOTE : ID_VIEW_LIST);
}

uint32_t HelpContextForFaq() { return HELP_COMMAND_BASE + ID_HELP_FAQ; }

uint32_t HelpContextForMenuItem(uint32_t itemId) {
  const uint32_t id = itemId & 0xFFFF;
  // Wine follows the menu's own request with one whose "id" is the position
  // of the item under the mouse, or -1: only commands with a page count.
  if (id == 0 || !FindHelpPage(HELP_COMMAND_BASE + id)) return 0;
  return HELP_COMMAND_BASE + id;
}

uint32_t HelpContextForClick(HelpClick click, uint32_t commandId, bool noteView) {
  switch (click) {
    case HelpClick::Outside: return 0;
    case HelpClick::CommandButton: return HelpContextForMenuItem(commandId);
    case HelpClick::Window: return HelpContextForF1(noteView);
  }
  return 0;
}
