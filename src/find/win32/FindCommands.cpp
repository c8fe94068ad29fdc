#include "find/win32/FindCommands.h"

#include "find/win32/CodePageFold.h"
#include "find/win32/FindDialog.h"
#include "res/resource.h"

const CCmdTarget::CommandEntry<CFindCommands> CFindCommands::COMMANDS[] = {
    {ID_FIND, &CFindCommands::OnFind, &CFindCommands::OnUpdateFind},
    {ID_FIND_NEXT, &CFindCommands::OnFindNext, &CFindCommands::OnUpdateFindNext},
};

CFindCommands::CFindCommands(CQuilleryDoc& doc, NoteStore& s, const Settings& set, IMessages& messages)
    : document(doc),
      store(s),
      settings(set),
      fold(CodePageCaseFold()),
      windows(doc, s, set, messages),
      finder(s, windows, fold) {}

bool CFindCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CFindCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

bool CFindCommands::EditorHoldsText() {
  return settings.noteMode != 0 && document.NoteView().GetSafeHwnd() != nullptr &&
         document.NoteView().TextLength() > 0;
}

void CFindCommands::OnUpdateFind(CCmdUI& ui) { ui.Enable(store.header.noteCount > 0 || EditorHoldsText()); }

void CFindCommands::OnUpdateFindNext(CCmdUI& ui) {
  ui.Enable(!finder.State().findText.empty() &&
            (store.header.noteCount > 0 || settings.noteMode == 0 || EditorHoldsText()));
}

void CFindCommands::OnFind() {
  if (!finder.BeginFind()) return;
  CFindDlg dialog(registry, fold, [this](const FindRequest& request) { return finder.SearchNotes(request); });
  static_cast<void>(dialog.DoModal());
}

uint32_t CFindCommands::CWindowsPort::SelectionStart() {
  DWORD start = 0;
  HWND editor = document.NoteView().GetSafeHwnd();
  if (editor != nullptr) SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return start;
}

void CFindCommands::CWindowsPort::ShowMatch(uint32_t note, uint32_t offset, uint32_t length) {
  document.Notes().GoToNote(note);
  // Kept on the note being edited when its text could not be stored.
  if (store.currentNote != note || settings.noteMode == 0) return;
  HWND editor = document.NoteView().GetSafeHwnd();
  SendMessageA(editor, EM_SETSEL, offset, offset + length);
  SendMessageA(editor, EM_SCROLLCARET, 0, 0);
}

void CFindCommands::CWindowsPort::ShowNotFound(const std::string& text) {
  ShowMessage(messages, IDS_FIND_NOT_FOUND, MessageButtons::Ok, MessageIcon::Exclamation, {{"%1", text}});
}
