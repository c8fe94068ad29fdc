// Bytes as a command line, then as a list of parameters quoted the way
// Windows programs quote them when they start another program: the quoted
// line splits back into exactly those parameters, and a flag is only ever
// one of the program's own words.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/CommandLine.h"

namespace {

// The usual inverse of the runtime's rule: quotes around a parameter with a
// blank or a quote (or none at all), backslashes doubled before a quote.
std::string Quoted(const std::string& param) {
  if (!param.empty() && param.find_first_of(" \t\"") == std::string::npos) return param;
  std::string out = "\"";
  size_t slashes = 0;
  for (const char c : param) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    out.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
    slashes = 0;
    out += c;
  }
  out.append(slashes * 2, '\\');
  return out + "\"";
}

bool OwnWord(std::string word) {
  for (char& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return word == "quiet" || word == "remove" || word == "killall";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string line = in.Bytes(in.Byte() * 4u);
  CommandLineFlags flags;
  const std::vector<std::string> params = SplitCommandLine(line);
  const std::vector<std::string> others = ParseCommandLine(line, flags);
  FUZZ_CHECK(others.size() <= params.size());
  size_t own = 0;
  for (const std::string& param : params) {
    FUZZ_CHECK(param.size() <= line.size());
    const bool flag = !param.empty() && (param[0] == '-' || param[0] == '/') && OwnWord(param.substr(1));
    own += flag;
  }
  FUZZ_CHECK(own + others.size() == params.size());
  FUZZ_CHECK(flags.showMainWindow == (own == 0));

  // The rest of the bytes as parameters, one per zero byte.
  std::vector<std::string> list;
  std::string joined;
  while (in.More()) {
    std::string param;
    for (char c = static_cast<char>(in.Byte()); c != '\0'; c = static_cast<char>(in.Byte())) param += c;
    joined += (list.empty() ? "" : " ") + Quoted(param);
    list.push_back(std::move(param));
  }
  FUZZ_CHECK(SplitCommandLine(joined) == list);
  return 0;
}
