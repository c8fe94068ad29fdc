#pragma once
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/SettingsStore.h"

// A settings store in memory that keeps each value with its type and logs
// every write in order.
class MemorySettingsStore : public ISettingsStore {
 public:
  enum class Type { Int, String, Binary, RunSet, RunDelete };
  struct Value {
    Type type;
    uint32_t number = 0;
    std::string text;  // string value, or the bytes of a binary value
    bool operator==(const Value& o) const {
      return type == o.type && number == o.number && text == o.text;
    }
  };
  struct Write {
    Type type;
    std::string section;
    std::string name;
  };
  using Key = std::pair<std::string, std::string>;  // section, name

  bool ReadInt(const char* section, const char* name, uint32_t& value) override {
    const Value* v = Find(section, name, Type::Int);
    if (v) value = v->number;
    return v != nullptr;
  }
  bool ReadString(const char* section, const char* name, std::string& value) override {
    const Value* v = Find(section, name, Type::String);
    if (v) value = v->text;
    return v != nullptr;
  }
  bool ReadBinary(const char* section, const char* name, void* data, size_t size) override {
    const Value* v = Find(section, name, Type::Binary);
    if (!v || v->text.size() != size) return false;
    std::memcpy(data, v->text.data(), size);
    return true;
  }
  void WriteInt(const char* section, const char* name, uint32_t value) override {
    Put(section, name, {Type::Int, value, {}});
  }
  void WriteString(const char* section, const char* name, const std::string& value) override {
    Put(section, name, {Type::String, 0, value});
  }
  void WriteBinary(const char* section, const char* name, const void* data,
                   size_t size) override {
    Put(section, name, {Type::Binary, 0, std::string(static_cast<const char*>(data), size)});
  }
  void DeleteValue(const char* section, const char* name) override { values.erase({section, name}); }
  void SetRunEntry(const std::string& command) override {
    runEntry = command;
    writes.push_back({Type::RunSet, {}, {}});
  }
  void DeleteRunEntry() override {
    runEntry.reset();
    writes.push_back({Type::RunDelete, {}, {}});
  }

  std::map<Key, Value> values;
  std::optional<std::string> runEntry;
  std::vector<Write> writes;

 private:
  const Value* Find(const char* section, const char* name, Type type) const {
    auto it = values.find({section, name});
    return it != values.end() && it->second.type == type ? &it->second : nullptr;
  }
  void Put(const char* section, const char* name, Value value) {
    writes.push_back({value.type, section, name});
    values[{section, name}] = std::move(value);
  }
};
