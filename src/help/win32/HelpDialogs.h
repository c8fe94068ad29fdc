#pragma once
#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/PropertySheet.h"
#include "help/ContextHelpRules.h"

// The help-enabled bases of every dialog, property page and property sheet
// of the program: F1 opens the topic of the dialog or page (0x20000 + its
// template id), Shift+F1 and the caption's question mark give the pop-up
// help of a control, and a right click its what's-this menu.

class CHelpDialog : public CDialog {
 public:
  explicit CHelpDialog(UINT templateId, HWND parent = nullptr);
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  HelpKeyState keys;
};

class CHelpPropPage : public CPropertyPage {
 public:
  // The page asks its sheet for a Help button.
  explicit CHelpPropPage(UINT templateId);
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  // PSN_HELP, from the page or from its sheet's Help button: the topic.
  bool OnNotify(const NMHDR& header, LRESULT& result) override;

 private:
  HelpKeyState keys;
};

// A sheet's F1 belongs to its page that shows, also when the focus is on the
// tabs, on the sheet's buttons or left in a page switched away from; the sheet
// itself gives control help and shows the question mark in its caption.
class CHelpPropSheet : public CPropertySheet {
 public:
  CHelpPropSheet(const std::string& caption, HWND parent, UINT startPage = 0);
  bool PreTranslateMessage(MSG& msg) override;

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HelpKeyState keys;
};
