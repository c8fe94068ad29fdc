#pragma once
#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "base/Messages.h"
#include "framework/Window.h"

// Dialogs from templates (resource or in memory), modal or modeless, with
// data exchange between controls and members (DDX_*) and validation
// (DDV_*). A failed exchange shows the standard message, puts the focus
// back on the control concerned with its text selected, and keeps the
// dialog open.

class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool saveAndValidate, IMessages& messages);

  // The control with id `id`, remembered as the one a failure returns to.
  HWND PrepareControl(int id);
  HWND PrepareEditControl(int id);
  HWND LastControl() const { return lastControl; }
  // Shows string `messageId` with "%1" and "%2" replaced, returns the focus
  // to the last prepared control and marks the exchange failed.
  void Fail(uint32_t messageId, const std::string& first = std::string(),
            const std::string& second = std::string());

  const HWND dialog;
  const bool saving;
  bool failed = false;

 private:
  IMessages& messages;
  HWND lastControl = nullptr;
  bool lastIsEdit = false;
};

void DDX_Text(CDataExchange& dx, int id, std::string& value);
// Decimal numbers; a text that is not one fails with "Please enter an
// integer." (int) or "Please enter a positive integer." (unsigned).
void DDX_Text(CDataExchange& dx, int id, int& value);
void DDX_Text(CDataExchange& dx, int id, unsigned& value);
void DDX_Check(CDataExchange& dx, int id, int& value);
void DDX_Check(CDataExchange& dx, int id, unsigned& value);
// The index of the checked radio button in the group that starts with
// control `firstId`; -1 when none is checked.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
void DDX_Radio(CDataExchange& dx, int firstId, unsigned& value);
// The selected index of a combo box; -1 when none.
void DDX_CBIndex(CDataExchange& dx, int id, int& index);
// A date-time picker and a time in seconds since 1970, taken as local time.
void DDX_DateTimeCtrl(CDataExchange& dx, int id, std::time_t& value);

// Range checks of the value just exchanged ("Please enter an integer
// between %1 and %2.").
void DDV_MinMaxInt(CDataExchange& dx, int value, int minimum, int maximum);
void DDV_MinMaxUInt(CDataExchange& dx, unsigned value, unsigned minimum, unsigned maximum);
// Limits the edit control just exchanged to `maximum` characters, so no
// longer text can be typed or pasted.
void DDV_MaxChars(CDataExchange& dx, int maximum);

class CDialog : public CWnd {
 public:
  // parent null: the application's main window, when there is one.
  explicit CDialog(UINT templateId, HWND parent = nullptr);
  explicit CDialog(const DLGTEMPLATE* memoryTemplate, HWND parent = nullptr);

  // IDOK, IDCANCEL or the value given to EndDialog; -1 when the dialog
  // could not be created.
  INT_PTR DoModal();
  // True while some DoModal of this thread runs its loop: the window under
  // the dialog must outlive it.
  static bool ModalLoopRunning();
  // A modeless dialog; it lives until DestroyWindow.
  [[nodiscard]] bool Create();
  // Moves control values into the members (true) or members into the
  // controls (false); false when a value was refused.
  bool UpdateData(bool saveAndValidate = true);
  void EndDialog(INT_PTR result);
  UINT GetTemplateId() const { return templateId; }

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  // Dialog-procedure semantics: FALSE leaves the message to the dialog
  // manager.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // After the controls exist: fills them from the members. true lets the
  // dialog manager set the focus.
  virtual bool OnInitDialog();
  virtual void DoDataExchange(CDataExchange& dx);
  virtual void OnOK();
  virtual void OnCancel();
  using CWnd::OnCommand;
  // WM_COMMAND; true when handled. IDOK and IDCANCEL reach OnOK/OnCancel.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);

  HWND Parent() const;

  const UINT templateId;
  const DLGTEMPLATE* const memoryTemplate;

 private:
  friend class CPropertyPage;
  static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND parent;
  bool modeless = false;
  // Set by EndDialog: a modal loop that ends without it was ended by a quit.
  bool ended = false;
};
