#include "reminders/win32/ReminderCommands.h"

#include <commctrl.h>

#include <ctime>

#include "reminders/Intervals.h"
#include "reminders/LocalTime.h"
#include "reminders/SetReminder.h"
#include "reminders/win32/ReminderDialogs.h"
#include "res/resource.h"

namespace {

int32_t Now() { return static_cast<int32_t>(std::time(nullptr)); }

}  // namespace

const CCmdTarget::CommandEntry<CReminderCommands> CReminderCommands::COMMANDS[] = {
    {ID_REMINDERS, &CReminderCommands::OnReminders, &CReminderCommands::OnUpdateReminders},
};

CReminderCommands::CReminderCommands(CFrameWnd& f, CQuilleryDoc& doc, NoteStore& s, const Settings& set)
    : frame(f), document(doc), store(s), settings(set) {
  document.Notes().SetNumbering(&queue);
}

CReminderCommands::~CReminderCommands() { document.Notes().SetNumbering(nullptr); }

bool CReminderCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CReminderCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CReminderCommands::OnUpdateReminders(CCmdUI& ui) {
  ui.Enable(document.Notes().IsCommandEnabled(DocumentCommand::Reminders));
}

void CReminderCommands::OnReminders() {
  const int32_t now = Now();
  // The note must be stored before it can carry a reminder; 920 lets the
  // user go on without the typing.
  if (!document.Notes().LeaveCurrentNote()) return;
  CRuntimeLocalTime localTime;
  ReminderDialogStart start;
  if (!BeginSetReminder(store, settings, now, localTime, start)) return;
  const uint32_t number = store.currentNote;
  CSetReminderDlg dialog(number, localTime);
  dialog.pickedDate = static_cast<std::time_t>(start.pickedDate);
  dialog.pickedTime = static_cast<std::time_t>(start.pickedTime);
  dialog.enabled = start.enabled ? 1 : 0;
  const bool changed =
      dialog.DoModal() == IDOK && ApplyReminderChoice(store, number, dialog.enabled != 0, dialog.chosenTime);
  EndSetReminder(store, number);
  if (changed) RedrawListItem(number);
}

void CReminderCommands::ShowDueReminders(uint32_t number) {
  if (!queue.Add(store, number)) return;
  while (const uint32_t note = queue.Next(store)) {
    // Owned by the dialog or message box that may be open, which its end
    // must not enable under that one's own modal loop.
    HWND owner = frame.GetSafeHwnd() != nullptr ? GetLastActivePopup(frame.GetSafeHwnd()) : nullptr;
    CReminderPopupDlg popup(note, store.Text(store.Entry(note)), IntervalIndex(settings.snoozeTime), owner);
    if (settings.useRemindSound != 0) popup.soundFile = settings.appDir + "QLRemind.wav";
    static_cast<void>(popup.DoModal());
    if (const uint32_t item = queue.Answer(store, popup.answer, popup.snoozeIndex, Now())) RedrawListItem(item);
  }
}

void CReminderCommands::RedrawListItem(uint32_t number) {
  CView* view = frame.GetActiveView();
  if (settings.noteMode != 0 || view == nullptr || view->GetSafeHwnd() == nullptr) return;
  const WPARAM item = number - 1;
  SendMessageA(view->GetSafeHwnd(), LVM_REDRAWITEMS, item, static_cast<LPARAM>(item));
  UpdateWindow(view->GetSafeHwnd());
}
