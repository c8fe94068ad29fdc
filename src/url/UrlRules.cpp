#include "url/UrlRules.h"

#include <cctype>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSpace(char c) { return IsBlank(c) || c == '\r' || c == '\n'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsSchemeCharacter(char c) {
  return IsLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

std::string Trimmed(const std::string& text, bool (*isSpace)(char)) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && isSpace(text[begin])) ++begin;
  while (end > begin && isSpace(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

bool IsScheme(const std::string& text) {
  if (text.empty() || !IsLetter(text[0])) return false;
  for (char c : text)
    if (!IsSchemeCharacter(c)) return false;
  return true;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t FindIgnoringCase(const std::string& text, const std::string& needle) {
  for (size_t at = 0; at + needle.size() <= text.size(); ++at) {
    size_t i = 0;
    while (i < needle.size() && Lower(text[at + i]) == Lower(needle[i])) ++i;
    if (i == needle.size()) return at;
  }
  return std::string::npos;
}

// A command line splits arguments at blanks and quotes; a URL holds
// neither, so encoding them keeps its meaning.
std::string EncodedForCommandLine(const std::string& address) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(address.size());
  for (char c : address) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F || c == '"') {
      encoded += '%';
      encoded += HEX[u >> 4];
      encoded += HEX[u & 0xF];
    } else {
      encoded += c;
    }
  }
  return encoded;
}

}  // namespace

std::string AddressForSelection(const std::string& selection) {
  const std::string text = Trimmed(selection, IsSpace);
  if (text.empty()) return text;
  if (text.find(':') != std::string::npos) return text;
  return "http://" + text;
}

bool IsWebAddress(const std::string& address) {
  if (address.size() > MAX_WEB_ADDRESS_LENGTH) return false;
  const size_t colon = address.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  const std::string scheme = address.substr(0, colon);
  return IsScheme(scheme) && !(scheme.size() == 4 && FindIgnoringCase(scheme, "file") == 0);
}

std::string FallbackScheme(const std::string& address) {
  const size_t separator = address.find("://");
  if (separator != std::string::npos && separator > 0) {
    std::string scheme = address.substr(0, separator);
    if (IsScheme(scheme)) return scheme;
  }
  return "http";
}

RegisteredCommand SplitRegisteredCommand(const std::string& command, const std::string& address) {
  RegisteredCommand split;
  size_t at = 0;
  while (at < command.size() && IsBlank(command[at])) ++at;
  const std::string rest = command.substr(at);
  if (!rest.empty() && rest[0] == '"') {
    size_t begin = 1;
    while (begin < rest.size() && IsBlank(rest[begin])) ++begin;
    const size_t quote = rest.find('"', begin);
    if (quote == std::string::npos) {
      split.program = rest.substr(begin);
    } else {
      split.program = rest.substr(begin, quote - begin);
      split.arguments = rest.substr(quote + 1);
    }
  } else {
    const size_t marker = FindIgnoringCase(rest, ".exe ");
    if (marker == std::string::npos) {
      split.program = rest;
    } else {
      split.program = rest.substr(0, marker + 4);
      split.arguments = rest.substr(marker + 5);
    }
  }
  while (!split.program.empty() && IsBlank(split.program.back())) split.program.pop_back();

  const std::string encoded = EncodedForCommandLine(address);
  const size_t placeholder = split.arguments.find("%1");
  if (placeholder != std::string::npos) {
    split.arguments.replace(placeholder, 2, encoded);
  } else {
    if (!split.arguments.empty() && !IsBlank(split.arguments.back())) split.arguments += ' ';
    split.arguments += encoded;
  }
  split.arguments = Trimmed(split.arguments, IsBlank);
  return split;
}

std::string WebSiteAddress(ISettingsStore& store, const std::string& defaultAddress) {
  std::string stored;
  if (store.ReadString("General", "Web Site Address", stored)) {
    stored = Trimmed(stored, IsSpace);
    if (!stored.empty()) return stored;
  }
  return defaultAddress;
}
