#pragma once
#include <windows.h>

#include <string>

#include "base/Messages.h"
#include "document/win32/QuilleryDoc.h"
#include "framework/Frame.h"
#include "import/DeskNotesImport.h"
#include "settings/Settings.h"
#include "settings/win32/RegistryKey.h"
#include "store/NoteStore.h"

class CMainFrame;

// DeskNotes' notes under HKEY_CURRENT_USER\<keyPath>, opened for reading
// only: the keys are another program's.
class CRegistryDeskNotes : public IDeskNotesSource {
 public:
  // Texts stored larger than this count as failed without being read.
  static constexpr DWORD TEXT_LIMIT = 1024 * 1024;

  explicit CRegistryDeskNotes(std::string keyPath) : keyPath(std::move(keyPath)) {}
  bool Open() override;
  bool SubkeyName(uint32_t index, std::string& name) override;
  bool Text(const std::string& name, std::string& text) override;
  bool Time(const std::string& name, const char* value, int32_t& time) override;

 private:
  // The note's own key, for reading its values.
  [[nodiscard]] bool OpenNote(const std::string& name, CRegistryKey& note);

  std::string keyPath;
  CRegistryKey key;
};

// File > Import Notes > DeskNotes.
class CImportCommands : public CCmdTarget {
 public:
  CImportCommands(CMainFrame& frame, CQuilleryDoc& document, const NoteStore& store, const Settings& settings,
                  IMessages& messages);
  CImportCommands(const CImportCommands&) = delete;
  CImportCommands& operator=(const CImportCommands&) = delete;

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnImportDeskNotes();
  static const CommandEntry<CImportCommands> COMMANDS[1];

  CMainFrame& frame;
  CQuilleryDoc& document;
  const NoteStore& store;
  const Settings& settings;
  IMessages& messages;
};
