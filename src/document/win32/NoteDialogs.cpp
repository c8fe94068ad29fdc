#include "document/win32/NoteDialogs.h"

#include "base/Messages.h"
#include "framework/Win32Messages.h"
#include "res/resource.h"

CGoToNoteDlg::CGoToNoteDlg() : CHelpDialog(IDD_GOTO_NOTE) {}

void CGoToNoteDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_GOTO_NUMBER, noteNumber);
  DDV_MinMaxUInt(dx, noteNumber, 1, maxNote);
}

CMoveNoteDlg::CMoveNoteDlg(uint32_t current, uint32_t count)
    : CHelpDialog(IDD_MOVE_NOTE), currentNote(current), noteCount(count) {}

bool CMoveNoteDlg::OnInitDialog() {
  CHelpDialog::OnInitDialog();
  std::string caption = LoadResourceString(IDS_MOVE_NOTE_CAPTION);
  ReplacePlaceholder(caption, "<CURNOTE>", std::to_string(currentNote));
  ReplacePlaceholder(caption, "<NUMNOTES>", std::to_string(noteCount + (currentNote > noteCount ? 1 : 0)));
  SetWindowTextA(hwnd, caption.c_str());

  HWND number = GetDlgItem(hwnd, IDC_MOVE_AFTER_NUMBER);
  EnableWindow(number, placement != 0);
  SetFocus(number);
  SendMessageA(number, EM_SETSEL, 0, -1);
  SendMessageA(number, EM_SCROLLCARET, 0, 0);
  // The first note is already in front of the first.
  if (currentNote == 1) EnableWindow(GetDlgItem(hwnd, IDC_MOVE_BEFORE_FIRST), FALSE);
  return false;
}

void CMoveNoteDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Radio(dx, IDC_MOVE_BEFORE_FIRST, placement);
  // The number is checked whichever place is chosen; choosing "after note"
  // again enables it for correction.
  DDX_Text(dx, IDC_MOVE_AFTER_NUMBER, afterNote);
  DDV_MinMaxUInt(dx, afterNote, 1, noteCount);
}

bool CMoveNoteDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED &&
      (LOWORD(wParam) == IDC_MOVE_BEFORE_FIRST || LOWORD(wParam) == IDC_MOVE_AFTER)) {
    EnableWindow(GetDlgItem(hwnd, IDC_MOVE_AFTER_NUMBER), LOWORD(wParam) == IDC_MOVE_AFTER);
    return true;
  }
  return CHelpDialog::OnCommand(wParam, lParam);
}

CNotePropertiesDlg::CNotePropertiesDlg() : CHelpDialog(IDD_NOTE_PROPERTIES) {}

void CNotePropertiesDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_PROPERTIES_NUMBER, numberText);
  DDX_Text(dx, IDC_PROPERTIES_CREATED, createdText);
  DDX_Text(dx, IDC_PROPERTIES_MODIFIED, modifiedText);
}
