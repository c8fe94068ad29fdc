#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "base/Messages.h"

// Records every message shown and answers questions from a script.
class FakeMessages : public IMessages {
 public:
  struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
  };

  std::string LoadText(uint32_t id) override {
    static const std::map<uint32_t, const char*> table = {
#define QSTRING(id, text) {id, text},
#include "res/strings.inc"
#undef QSTRING
    };
    auto it = table.find(id);
    return it == table.end() ? std::string() : it->second;
  }
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

  std::map<uint32_t, std::string> systemTexts;
  std::deque<MessageAnswer> answers;
  std::vector<Shown> shown;
};
