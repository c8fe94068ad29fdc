#pragma once
#include <windows.h>

#include "base/Messages.h"
#include "document/win32/QuilleryDoc.h"
#include "find/CaseFold.h"
#include "find/NoteSearch.h"
#include "framework/Frame.h"
#include "settings/Settings.h"
#include "settings/win32/RegistrySettingsStore.h"
#include "store/NoteStore.h"

// Find (Ctrl+F) and Find Next (F3): the dialog, the search over all notes
// and the match shown through the document and selected in the editor.
class CFindCommands : public CCmdTarget {
 public:
  CFindCommands(CQuilleryDoc& document, NoteStore& store, const Settings& settings, IMessages& messages);
  CFindCommands(const CFindCommands&) = delete;
  CFindCommands& operator=(const CFindCommands&) = delete;

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  class CWindowsPort : public IFindWindows {
   public:
    CWindowsPort(CQuilleryDoc& d, NoteStore& s, const Settings& set, IMessages& m)
        : document(d), store(s), settings(set), messages(m) {}
    Result CommitCurrentNote() override { return document.CommitCurrentNote(); }
    bool InListView() override { return settings.noteMode == 0; }
    uint32_t SelectionStart() override;
    void ShowMatch(uint32_t note, uint32_t offset, uint32_t length) override;
    void ShowNotFound(const std::string& text) override;
    void Beep() override { MessageBeep(0); }

   private:
    CQuilleryDoc& document;
    NoteStore& store;
    const Settings& settings;
    IMessages& messages;
  };

  void OnFind();
  void OnFindNext() { finder.FindNext(); }
  void OnUpdateFind(CCmdUI& ui);
  void OnUpdateFindNext(CCmdUI& ui);
  bool EditorHoldsText();
  static const CommandEntry<CFindCommands> COMMANDS[2];

  CQuilleryDoc& document;
  NoteStore& store;
  const Settings& settings;
  CRegistrySettingsStore registry{PROGRAM_KEY};
  const CaseFold fold;
  CWindowsPort windows;
  CNoteFinder finder;
};
