#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

// Property sheets and wizards over the common controls. Pages are dialogs
// from templates with data exchange: leaving a page (another tab, Next,
// Back) or pressing OK reads and checks its controls, and a refused value
// keeps the page. The sheet runs its own modal loop, so the pages'
// PreTranslateMessage sees their messages.

class CPropertySheet;

class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId);
  explicit CPropertyPage(const DLGTEMPLATE* memoryTemplate);
  CPropertySheet* GetSheet() const { return sheet; }

  // Extra PSP_ flags (PSP_HASHELP gives the sheet a Help button).
  DWORD pageFlags = 0;

 protected:
  // PSN_SETACTIVE: false refuses the page. Reloads the controls from the
  // members on every activation after the first.
  virtual bool OnSetActive();
  // PSN_KILLACTIVE: false keeps the page. Reads the controls.
  virtual bool OnKillActive();
  // PSN_WIZNEXT, PSN_WIZBACK: 0 for the neighbouring page, -1 to stay, or
  // the template id of the page to go to.
  virtual LRESULT OnWizardNext();
  virtual LRESULT OnWizardBack();
  // PSN_WIZFINISH: false keeps the wizard open. Reads the controls.
  virtual bool OnWizardFinish();
  // Any other notification from the sheet; true when handled.
  virtual bool OnNotify(const NMHDR& header, LRESULT& result);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A page ends with its sheet, never by itself.
  void OnOK() override;
  void OnCancel() override;

 private:
  friend class CPropertySheet;
  static INT_PTR CALLBACK StaticPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  PROPSHEETPAGEA Header();
  CPropertySheet* sheet = nullptr;
  bool activated = false;
};

class CPropertySheet : public CWnd {
 public:
  // parent null: no owner.
  CPropertySheet(const std::string& caption, HWND parent, UINT startPage = 0);

  void AddPage(CPropertyPage& page);
  void SetWizardMode() { sheetFlags |= PSH_WIZARD; }
  // Before DoModal: the page shown first; afterwards: switches pages.
  void SetActivePage(int index);
  int GetActiveIndex() const;
  int GetPageCount() const { return static_cast<int>(pages.size()); }
  // IDOK after OK or Finish, IDCANCEL otherwise, -1 when the sheet could
  // not be created.
  INT_PTR DoModal();

  // Extra PSH_ flags (PSH_NOAPPLYNOW).
  DWORD sheetFlags = 0;

 protected:
  // After the sheet and its first page exist, before the user sees them.
  virtual bool OnInitDialog();

 private:
  friend class CPropertyPage;
  std::string caption;
  HWND parent;
  UINT startPage;
  std::vector<CPropertyPage*> pages;
  INT_PTR result = IDCANCEL;
};
