#pragma once
#include <windows.h>

#include <cstdint>

#include "document/win32/QuilleryDoc.h"
#include "framework/Frame.h"
#include "reminders/DueQueue.h"
#include "settings/Settings.h"
#include "store/NoteStore.h"

// The Reminders command and the popups of due reminders. The frame routes
// the command here and hands over every due message; the queue follows the
// document's renumbering of notes.
class CReminderCommands : public CCmdTarget {
 public:
  CReminderCommands(CFrameWnd& frame, CQuilleryDoc& document, NoteStore& store, const Settings& settings);
  ~CReminderCommands() override;
  CReminderCommands(const CReminderCommands&) = delete;
  CReminderCommands& operator=(const CReminderCommands&) = delete;

  // WM_APP_REMINDER_DUE: queues the note and, unless a popup loop already
  // runs further up the stack, shows the popups one after another.
  void ShowDueReminders(uint32_t number);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnReminders();
  void OnUpdateReminders(CCmdUI& ui);
  // The list item of note `number`, while the list is shown.
  void RedrawListItem(uint32_t number);
  static const CommandEntry<CReminderCommands> COMMANDS[1];

  CFrameWnd& frame;
  CQuilleryDoc& document;
  NoteStore& store;
  const Settings& settings;
  CDueQueue queue;
};
