// Bytes as the stored settings: every value the program reads, missing or
// stored with any type, length and content. Loading keeps each value stored
// with the right type (cut where a field is bounded), gives the default for
// every other, and what it yields saves and loads again unchanged.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "MemorySettingsStore.h"
#include "settings/SettingsIO.h"

namespace {

using Store = MemorySettingsStore;

SettingsDefaults Defaults() {
  SettingsDefaults d;
  d.appDir = "C:\\Program Files\\Quillery\\";
  d.userName = "Default";
  d.noteFont.height = -13;
  std::strcpy(d.noteFont.faceName, "Times New Roman");
  d.listFont.height = -11;
  std::strcpy(d.listFont.faceName, "Arial");
  return d;
}

// Every value the program saves, with its default image.
Store SavedDefaults() {
  Settings s;
  Store saved;
  LoadSettings(s, saved, Defaults());
  SaveSettings(s, saved, 0xFF, "run");
  return saved;
}

Store::Value AnyValue(FuzzInput& in, bool megabyteAllowed) {
  Store::Value v{Store::Type::Int, 0, {}};
  switch (in.Byte() % 3) {
    case 0:
      v.number = in.Word();
      break;
    case 1: {
      v.type = Store::Type::String;
      const uint8_t length = in.Byte();
      // Now and then long; the bounded version text even a megabyte, as
      // another tool may have stored. Megabytes elsewhere would only slow
      // the search: those strings are kept whole.
      static const std::string megabyte(size_t{1} << 20, '9');
      if (length < 254) {
        v.text = in.Bytes(length);
      } else if (length == 255 && megabyteAllowed) {
        v.text = megabyte;
      } else {
        v.text = std::string((size_t{in.Byte()} + 1) << 2, '9');
      }
      break;
    }
    default: {
      v.type = Store::Type::Binary;
      const uint8_t length = in.Byte();
      v.text = in.Bytes(length == 0 ? sizeof(LogFont) : length % 72);
      v.text.resize(length == 0 ? sizeof(LogFont) : v.text.size(), 'F');
      break;
    }
  }
  return v;
}

// What a correct load makes of a stored value, as the next save writes it.
Store::Value Expected(const Store::Key& key, const Store::Value* stored, const Store::Value& def) {
  if (key.second == "App Path" || stored == nullptr || stored->type != def.type ||
      (def.type == Store::Type::Binary && stored->text.size() != def.text.size()))
    return def;
  Store::Value v = *stored;
  if (key.second == "Last Upgrade Version" && v.text.size() >= UPGRADE_VERSION_CAPACITY)
    v.text.resize(UPGRADE_VERSION_CAPACITY - 1);
  if (def.type == Store::Type::Binary) v.text[offsetof(LogFont, faceName) + 31] = '\0';
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Store defaults = SavedDefaults();
  FuzzInput in(data, size);

  // Each value is left out or stored with what the bytes say.
  Store stored;
  for (const auto& [key, def] : defaults.values) {
    if (in.Byte() & 1) stored.values[key] = AnyValue(in, key.second == "Last Upgrade Version");
  }

  Settings s;
  LoadSettings(s, stored, Defaults());
  FUZZ_CHECK(s.lastUpgradeVersion.size() < UPGRADE_VERSION_CAPACITY);
  FUZZ_CHECK(std::memchr(s.noteFont.faceName, 0, sizeof s.noteFont.faceName) != nullptr);
  FUZZ_CHECK(std::memchr(s.listFont.faceName, 0, sizeof s.listFont.faceName) != nullptr);

  Store saved;
  SaveSettings(s, saved, 0xFF, "run");
  FUZZ_CHECK(saved.values.size() == defaults.values.size());
  for (const auto& [key, def] : defaults.values) {
    auto it = stored.values.find(key);
    FUZZ_CHECK(saved.values.at(key) ==
               Expected(key, it == stored.values.end() ? nullptr : &it->second, def));
  }

  Settings again;
  LoadSettings(again, saved, Defaults());
  Store resaved;
  SaveSettings(again, resaved, 0xFF, "run");
  FUZZ_CHECK(resaved.values == saved.values);
  return 0;
}
