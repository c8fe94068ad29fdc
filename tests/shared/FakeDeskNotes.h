#pragma once
#include <optional>
#include <string>
#include <vector>

#include "import/DeskNotesImport.h"

// DeskNotes' keys in memory: subkeys in order, each with its text and
// times present or not.
class FakeDeskNotes : public IDeskNotesSource {
 public:
  struct Note {
    std::string name;
    std::optional<std::string> text;
    std::optional<int32_t> created, modified;
  };
  bool Open() override { return exists; }
  bool SubkeyName(uint32_t index, std::string& name) override {
    if (index >= notes.size()) return false;
    name = notes[index].name;
    return true;
  }
  bool Text(const std::string& name, std::string& text) override {
    const Note* n = Find(name);
    if (n == nullptr || !n->text) return false;
    text = *n->text;
    return true;
  }
  bool Time(const std::string& name, const char* value, int32_t& time) override {
    const Note* n = Find(name);
    if (n == nullptr) return false;
    const std::optional<int32_t>& t = std::string(value) == "Created" ? n->created : n->modified;
    if (!t) return false;
    time = *t;
    return true;
  }
  // A name the import never listed is a fault of the import.
  const Note* Find(const std::string& name) {
    for (const Note& n : notes)
      if (n.name == name) return &n;
    askedForUnlisted = true;
    return nullptr;
  }

  bool exists = true;
  bool askedForUnlisted = false;
  std::vector<Note> notes;
};
