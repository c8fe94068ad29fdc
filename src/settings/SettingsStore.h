#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A program key with named sections ("General", "Appearance", "Proxies", "Find")
// holding integer, string and binary values, plus the Windows Run entry.
// Failures are silent by design: a read that fails reports false so the
// caller keeps its default; a write that fails changes nothing.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  // True and `value` set only when the value exists with the matching type
  // (REG_DWORD, REG_SZ, REG_BINARY of exactly `size` bytes).
  [[nodiscard]] virtual bool ReadInt(const char* section, const char* name, uint32_t& value) = 0;
  [[nodiscard]] virtual bool ReadString(const char* section, const char* name,
                                        std::string& value) = 0;
  [[nodiscard]] virtual bool ReadBinary(const char* section, const char* name, void* data,
                                        size_t size) = 0;

  // Creates the section on first write.
  virtual void WriteInt(const char* section, const char* name, uint32_t value) = 0;
  virtual void WriteString(const char* section, const char* name, const std::string& value) = 0;
  virtual void WriteBinary(const char* section, const char* name, const void* data,
                           size_t size) = 0;
  // Nothing happens when the value or its section does not exist.
  virtual void DeleteValue(const char* section, const char* name) = 0;

  // The "Quillery" value of the current user's Run key: the command that
  // starts the program with Windows.
  virtual void SetRunEntry(const std::string& command) = 0;
  virtual void DeleteRunEntry() = 0;
};
