// Bytes as a selected text and a registered browser command. The address
// made of the selection is trimmed and, when accepted, begins with a URL
// scheme of two or more characters other than "file"; a colon-free
// selection always becomes an http address. The split command's program
// is a blank-free-ended part of the command, and its arguments hold the
// address as one argument: no blank, quote or control character of it
// survives unencoded.
#include <string>

#include "FuzzSupport.h"
#include "url/UrlRules.h"

namespace {

bool Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool Blank(char c) { return c == ' ' || c == '\t'; }
bool Letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string Encoded(const std::string& address) {
  std::string out;
  char hex[4];
  for (char c : address) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F || c == '"') {
      std::snprintf(hex, sizeof hex, "%%%02X", u);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

void CheckAddress(const std::string& selection) {
  const std::string address = AddressForSelection(selection);
  FUZZ_CHECK(address.empty() || (!Space(address.front()) && !Space(address.back())));
  size_t first = 0;
  while (first < selection.size() && Space(selection[first])) ++first;
  const bool blank = first == selection.size();
  FUZZ_CHECK(blank == address.empty());
  if (!blank && selection.find(':') == std::string::npos) {
    FUZZ_CHECK(address.compare(0, 7, "http://") == 0);
    FUZZ_CHECK(IsWebAddress(address) == (address.size() <= MAX_WEB_ADDRESS_LENGTH));
  }
  if (IsWebAddress(address)) {
    FUZZ_CHECK(address.size() <= MAX_WEB_ADDRESS_LENGTH);
    const size_t colon = address.find(':');
    FUZZ_CHECK(colon >= 2 && Letter(address[0]) && address[1] != ':');
    std::string scheme = address.substr(0, colon);
    for (char& c : scheme) {
      FUZZ_CHECK(Letter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.');
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    FUZZ_CHECK(scheme != "file");
  }
  const std::string scheme = FallbackScheme(address);
  FUZZ_CHECK(scheme == "http" || address.compare(0, scheme.size() + 3, scheme + "://") == 0);
  for (char c : scheme) FUZZ_CHECK(c != '\\' && c != ':' && !Space(c));
}

void CheckSplit(const std::string& command, const std::string& address) {
  const RegisteredCommand split = SplitRegisteredCommand(command, address);
  const std::string& program = split.program;
  FUZZ_CHECK(program.empty() || (!Blank(program.front()) && !Blank(program.back())));
  FUZZ_CHECK(command.find(program) != std::string::npos);
  const std::string& arguments = split.arguments;
  FUZZ_CHECK(arguments.empty() || (!Blank(arguments.front()) && !Blank(arguments.back())));
  const std::string encoded = Encoded(address);
  FUZZ_CHECK(arguments.find(encoded) != std::string::npos);
  FUZZ_CHECK(arguments.size() <= command.size() + encoded.size() + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string selection = in.Bytes(in.Byte());
  const std::string command = in.Bytes(size);
  CheckAddress(selection);
  CheckSplit(command, AddressForSelection(selection));
  CheckSplit(command, selection);
  return 0;
}
