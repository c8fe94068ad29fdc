#pragma once
#include <windows.h>

#include <string>

#include "document/NoteDocument.h"
#include "framework/Handles.h"
#include "framework/Print.h"
#include "framework/View.h"
#include "print/NoteLayout.h"
#include "print/PageStarts.h"
#include "settings/Settings.h"

// The one-note editor: a word-wrapping edit control in the note colours and
// font. It only holds the text being typed; the document stores it.
class CQuilleryView : public CEditView, public CPrintable {
 public:
  explicit CQuilleryView(const Settings& settings);
  // The document whose current note prints, and its store.
  void AttachNotes(CNoteDocument& document, const NoteStore& notesStore) {
    notes = &document;
    store = &notesStore;
  }

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

  // Print (57607): the current note once stored, after the print dialog.
  void OnFilePrint();
  // Print Preview (57609): the current note once stored, in the preview.
  void OnFilePrintPreview();
  bool inPreview = false;
  void OnBeginPrinting(HDC dc, CPrintInfo& info) override;
  void OnPrepareDC(HDC dc, CPrintInfo& info) override;
  void OnPrint(HDC dc, CPrintInfo& info) override;
  void OnEndPrinting(HDC dc, CPrintInfo& info) override;
  void OnEndPrintPreview() override { inPreview = false; }

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
  void OnUpdatePrint(CCmdUI& ui);
  void OnUpdatePrintPreview(CCmdUI& ui);
  // Page `page` laid out with the printer font selected; its end recorded.
  NotePage LayOutPage(HDC dc, uint32_t page);
  static const CommandEntry<CQuilleryView> COMMANDS[6];

  const Settings& settings;
  CBrushOwner brush;
  COLORREF brushColor;
  COLORREF textColor;
  CFontOwner font;
  bool fontCreated = false;

  CNoteDocument* notes = nullptr;
  const NoteStore* store = nullptr;
  // One printout: the stored text, its heading and footer, where each page
  // begins, the page size, the printer font and the frame pen.
  std::string printText;
  std::string heading;
  std::string footerText;
  CPageStarts pageStarts;
  PrintRect pageRect;
  CFontOwner printerFont;
  CPenOwner framePen;
};

// The note view's context menu (popup 1 of menu 133), owned by `menu`:
// Undo as the default item. The main window takes out what it does not offer
// as the menu opens.
HMENU LoadNoteContextMenu(CMenuOwner& menu);

// The current local time in the C runtime's `strftime` format.
std::string FormatCurrentTime(const char* format);
