#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"
#include "framework/View.h"
#include "settings/Settings.h"

// The one-note editor: a word-wrapping edit control in the note colours and
// font. It only holds the text being typed; the document stores it.
class CQuilleryView : public CEditView {
 public:
  explicit CQuilleryView(const Settings& settings);

  // Shows the current note's text; the text counts as unchanged.
  void LoadCurrentNoteText(const char* text);
  // Set by typing and by commands that change the text; cleared when a note
  // is loaded or its text stored.
  bool textChanged = false;

  // A font the user chose; the text is laid out again at the next repaint.
  void SetNoteFont(const LogFont& logFont);

  void OnInitialUpdate() override;
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  bool OnContextMenu(int x, int y) override;

 private:
  HBRUSH CtlColor(HDC dc);
  void InsertTimeText(const char* format);
  void OnInsertDate();
  void OnInsertTime();
  void OnInsertDateAndTime();
  void OnInsertWeekday();
  static const CommandEntry<CQuilleryView> COMMANDS[4];

  const Settings& settings;
  CBrushOwner brush;
  COLORREF brushColor;
  COLORREF textColor;
  CFontOwner font;
  bool fontCreated = false;
};

// The note view's context menu (popup 1 of menu 133), owned by `menu`:
// Undo as the default item. The main window takes out what it does not offer
// as the menu opens.
HMENU LoadNoteContextMenu(CMenuOwner& menu);

// The current local time in the C runtime's `strftime` format.
std::string FormatCurrentTime(const char* format);
