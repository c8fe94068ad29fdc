#pragma once
#include <windows.h>

// Owns an open registry key and closes it with RegCloseKey.
class CRegistryKey {
 public:
  CRegistryKey() = default;
  ~CRegistryKey() { Close(); }
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Both return the registry's error code (ERROR_SUCCESS when the key is open).
  [[nodiscard]] LONG Open(HKEY parent, const char* path, REGSAM access) {
    Close();
    return RegOpenKeyExA(parent, path, 0, access, &key);
  }
  [[nodiscard]] LONG Create(HKEY parent, const char* path, REGSAM access) {
    Close();
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                           &key, nullptr);
  }

  HKEY Get() const { return key; }

 private:
  void Close() {
    if (key != nullptr) RegCloseKey(key);
    key = nullptr;
  }

  HKEY key = nullptr;
};
