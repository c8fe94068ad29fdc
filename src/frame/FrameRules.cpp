#include "frame/FrameRules.h"

#include "res/resource.h"

uint32_t HelpContextForF1(bool noteView) {
  return HELP_COMMAND_BASE + (noteView ? ID_VIEW_NOTE : ID_VIEW_LIST);
}

uint32_t HelpContextForFaq() { return HELP_COMMAND_BASE + ID_HELP_FAQ; }

uint32_t HelpContextForMenuItem(uint32_t itemId) {
  const uint32_t id = itemId & 0xFFFF;
  return id == 0 ? 0 : HELP_COMMAND_BASE + id;
}

uint32_t HelpContextForClick(HelpClick click, uint32_t commandId, bool noteView) {
  switch (click) {
    case HelpClick::Outside: return 0;
    case HelpClick::CommandButton: return HelpContextForMenuItem(commandId);
    case HelpClick::Window: return HelpContextForF1(noteView);
  }
  return 0;
}

WindowRect StoredWindowRect(const Settings& settings) {
  return {settings.noteX, settings.noteY, settings.noteX + settings.noteCX,
          settings.noteY + settings.noteCY};
}

void RecordWindowRect(Settings& settings, const WindowRect& rect, bool minimised) {
  if (minimised) return;
  settings.noteX = rect.left;
  settings.noteY = rect.top;
  settings.noteCX = rect.right - rect.left;
  settings.noteCY = rect.bottom - rect.top;
}

bool ShowsReminderIndicator(const NoteStore& store) {
  if (store.header.noteCount == 0 || store.currentNote < 1 ||
      store.currentNote > store.header.noteCount + 1)
    return false;
  return (store.Entry(store.currentNote).flags & REMINDER_ACTIVE) != 0;
}
