#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

// Messages are string-table texts shown in a message box by id. The Win32
// side loads the texts from the resources; native tests use the same table.

// YesNoDefaultNo: a question where Enter must not give anything up.
enum class MessageButtons { Ok, YesNo, YesNoDefaultNo };
enum class MessageIcon { Exclamation, Question, Information };
enum class MessageAnswer { Ok, Yes, No };

class IMessages {
 public:
  virtual ~IMessages() = default;
  // The string-table text with this id ("" when there is none).
  virtual std::string LoadText(uint32_t id) = 0;
  // The system's description of a system error code ("" when it has none).
  virtual std::string SystemErrorText(uint32_t code) = 0;
  virtual MessageAnswer Show(const std::string& text, MessageButtons buttons, MessageIcon icon) = 0;
};

// Replaces the first occurrence of `token` (such as "<FILENAME>") in `text`.
void ReplacePlaceholder(std::string& text, const char* token, const std::string& value);

// Shows string `id` with the placeholders replaced, in order, by the pairs
// given; returns the answer.
struct Placeholder {
  const char* token;
  std::string value;
};
MessageAnswer ShowMessage(IMessages& messages, uint32_t id, MessageButtons buttons,
                          MessageIcon icon, std::initializer_list<Placeholder> placeholders = {});
