#pragma once
// Message boxes recorded instead of shown, for every tier: texts by id come
// from the program's string table, questions are answered from a script.
// Portable, so the native, Windows and fuzz tests share one.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/Messages.h"

// The string-table text with this id ("" when there is none).
inline std::string StringTableText(uint32_t id) {
  static const std::map<uint32_t, const char*> table = {
#define QSTRING(id, text) {id, text},
#include "res/strings.inc"
#undef QSTRING
  };
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

class FakeMessages : public IMessages {
 public:
  struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
  };

  std::string LoadText(uint32_t id) override { return StringTableText(id); }
  std::string SystemErrorText(uint32_t code) override {
    auto it = systemTexts.find(code);
    return it == systemTexts.end() ? std::string() : it->second;
  }
  MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) override {
    shown.push_back({text, buttons, icon});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::No;  // an unexpected question declines
    MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }

  // The texts shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown) texts.push_back(s.text);
    return texts;
  }

  std::map<uint32_t, std::string> systemTexts;
  std::deque<MessageAnswer> answers;
  std::vector<Shown> shown;
};
