#pragma once
#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"

// The program's key under HKEY_CURRENT_USER.
constexpr const char* PROGRAM_KEY = "Software\\Brindle Software\\Quillery";

// Where Windows looks for programs to start at logon, and the value that
// names this program there.
constexpr const char* RUN_KEY_PATH = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* RUN_VALUE_NAME = "Quillery";

// The settings in the current user's registry: each section is a subkey of
// HKEY_CURRENT_USER\<programKey> ("Software\Brindle Software\Quillery" for
// the program), created on first write.
class CRegistrySettingsStore : public ISettingsStore {
 public:
  explicit CRegistrySettingsStore(std::string programKey);

  bool ReadInt(const char* section, const char* name, uint32_t& value) override;
  bool ReadString(const char* section, const char* name, std::string& value) override;
  bool ReadBinary(const char* section, const char* name, void* data, size_t size) override;
  void WriteInt(const char* section, const char* name, uint32_t value) override;
  void WriteString(const char* section, const char* name, const std::string& value) override;
  void WriteBinary(const char* section, const char* name, const void* data,
                   size_t size) override;
  void DeleteValue(const char* section, const char* name) override;
  // The Run entry is a REG_SZ value; nothing happens when the key cannot be
  // opened.
  void SetRunEntry(const std::string& command) override;
  void DeleteRunEntry() override;

 private:
  std::string SectionPath(const char* section) const;
  void Write(const char* section, const char* name, DWORD type, const void* data, size_t size);

  std::string programKey;
};
