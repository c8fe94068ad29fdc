#include "import/win32/ImportCommands.h"

#include <ctime>
#include <vector>

#include "frame/win32/MainFrame.h"
#include "framework/Win32Messages.h"
#include "res/resource.h"

bool CRegistryDeskNotes::Open() {
  return key.Open(HKEY_CURRENT_USER, keyPath.c_str(), KEY_READ) == ERROR_SUCCESS;
}

bool CRegistryDeskNotes::SubkeyName(uint32_t index, std::string& name) {
  char buffer[260];
  DWORD length = sizeof(buffer);
  if (RegEnumKeyExA(key.Get(), index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  name.assign(buffer, length);
  return true;
}

bool CRegistryDeskNotes::OpenNote(const std::string& name, CRegistryKey& note) {
  return note.Open(key.Get(), name.c_str(), KEY_QUERY_VALUE) == ERROR_SUCCESS;
}

bool CRegistryDeskNotes::Text(const std::string& name, std::string& text) {
  CRegistryKey note;
  if (!OpenNote(name, note)) return false;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(note.Get(), "Text", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ ||
      size > TEXT_LIMIT)
    return false;
  std::vector<char> value(size);
  if (size > 0 && (RegQueryValueExA(note.Get(), "Text", nullptr, &type, reinterpret_cast<BYTE*>(value.data()),
                                    &size) != ERROR_SUCCESS ||
                   type != REG_SZ))
    return false;
  // Taken by its length: the stored bytes need not end in a zero.
  text.assign(value.data(), size);
  return true;
}

bool CRegistryDeskNotes::Time(const std::string& name, const char* value, int32_t& time) {
  CRegistryKey note;
  if (!OpenNote(name, note)) return false;
  DWORD type = 0;
  DWORD stored = 0;
  DWORD size = sizeof(stored);
  if (RegQueryValueExA(note.Get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&stored), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(stored))
    return false;
  time = static_cast<int32_t>(stored);
  return true;
}

const CCmdTarget::CommandEntry<CImportCommands> CImportCommands::COMMANDS[] = {
    {ID_IMPORT_DESKNOTES, &CImportCommands::OnImportDeskNotes, nullptr},
};

CImportCommands::CImportCommands(CMainFrame& f, CQuilleryDoc& doc, const NoteStore& st, const Settings& s,
                                 IMessages& m)
    : frame(f), document(doc), store(st), settings(s), messages(m) {}

bool CImportCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CImportCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CImportCommands::OnImportDeskNotes() {
  CRegistryDeskNotes source(LoadResourceString(IDS_DESKNOTES_KEY));
  ImportCounts counts;
  const int32_t now = static_cast<int32_t>(std::time(nullptr));
  if (!ImportDeskNotes(document.Notes(), source, messages, now, counts)) return;
  if (settings.noteMode == 0) {
    if (CNoteFormView* list = frame.ListView()) list->FillList();
    std::string title = LoadResourceString(IDS_TITLE_LIST_VIEW);
    ReplacePlaceholder(title, "<NUMNOTES>", std::to_string(store.header.noteCount));
    document.SetTitle(title);
  }
  document.Notes().ShowCurrentNote();
}
