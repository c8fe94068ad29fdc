#include "base/Messages.h"

void ReplacePlaceholder(std::string& text, const char* token, const std::string& value) {
  const size_t at = text.find(token);
  if (at != std::string::npos) text.replace(at, std::char_traits<char>::length(token), value);
}

MessageAnswer ShowMessage(IMessages& messages, uint32_t id, MessageButtons buttons,
                          MessageIcon icon, std::initializer_list<Placeholder> placeholders) {
  std::string text = messages.LoadText(id);
  for (const Placeholder& p : placeholders) ReplacePlaceholder(text, p.token, p.value);
  return messages.Show(text, buttons, icon);
}
