#include "settings/win32/RegistrySettingsStore.h"

#include <cstring>
#include <utility>
#include <vector>

#include "settings/win32/RegistryKey.h"

CRegistrySettingsStore::CRegistrySettingsStore(std::string programKey)
    : programKey(std::move(programKey)) {}

std::string CRegistrySettingsStore::SectionPath(const char* section) const {
  return programKey + "\\" + section;
}

bool CRegistrySettingsStore::ReadInt(const char* section, const char* name, uint32_t& value) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_QUERY_VALUE) !=
      ERROR_SUCCESS)
    return false;
  DWORD type = 0, stored = 0, size = sizeof stored;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&stored),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof stored)
    return false;
  value = stored;
  return true;
}

bool CRegistrySettingsStore::ReadString(const char* section, const char* name,
                                        std::string& value) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_QUERY_VALUE) !=
      ERROR_SUCCESS)
    return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  // One spare byte: a stored string need not carry its terminator.
  std::vector<char> buffer(size + 1, '\0');
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  value.assign(buffer.data(), strnlen(buffer.data(), size));
  return true;
}

bool CRegistrySettingsStore::ReadBinary(const char* section, const char* name, void* data,
                                        size_t size) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_QUERY_VALUE) !=
      ERROR_SUCCESS)
    return false;
  std::vector<BYTE> buffer(size);
  DWORD type = 0, length = static_cast<DWORD>(size);
  if (RegQueryValueExA(key.Get(), name, nullptr, &type, buffer.data(), &length) !=
          ERROR_SUCCESS ||
      type != REG_BINARY || length != size)
    return false;
  std::memcpy(data, buffer.data(), size);
  return true;
}

void CRegistrySettingsStore::Write(const char* section, const char* name, DWORD type,
                                   const void* data, size_t size) {
  CRegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_SET_VALUE) !=
      ERROR_SUCCESS)
    return;
  // A failed write is ignored: the value keeps what it had.
  (void)RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data),
                       static_cast<DWORD>(size));
}

void CRegistrySettingsStore::WriteInt(const char* section, const char* name, uint32_t value) {
  DWORD stored = value;
  Write(section, name, REG_DWORD, &stored, sizeof stored);
}

void CRegistrySettingsStore::WriteString(const char* section, const char* name,
                                         const std::string& value) {
  Write(section, name, REG_SZ, value.c_str(), value.size() + 1);
}

void CRegistrySettingsStore::WriteBinary(const char* section, const char* name,
                                         const void* data, size_t size) {
  Write(section, name, REG_BINARY, data, size);
}

void CRegistrySettingsStore::DeleteValue(const char* section, const char* name) {
  CRegistryKey key;
  if (key.Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), KEY_SET_VALUE) != ERROR_SUCCESS) return;
  (void)RegDeleteValueA(key.Get(), name);
}

void CRegistrySettingsStore::SetRunEntry(const std::string& command) {
  CRegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, RUN_KEY_PATH, KEY_SET_VALUE) != ERROR_SUCCESS) return;
  (void)RegSetValueExA(key.Get(), RUN_VALUE_NAME, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
}

void CRegistrySettingsStore::DeleteRunEntry() {
  CRegistryKey key;
  if (key.Create(HKEY_CURRENT_USER, RUN_KEY_PATH, KEY_SET_VALUE) != ERROR_SUCCESS) return;
  (void)RegDeleteValueA(key.Get(), RUN_VALUE_NAME);
}
