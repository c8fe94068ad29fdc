#include "app/CommandLine.h"

#include <cctype>

namespace {
bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == '\0';
}
}  // namespace

bool ParseProgramFlag(const std::string& param, bool isFlag, CommandLineFlags& flags) {
  if (!isFlag) return false;
  if (EqualsIgnoringCase(param, "quiet")) {
  } else if (EqualsIgnoringCase(param, "remove")) {
    flags.removeRequested = true;
  } else if (EqualsIgnoringCase(param, "killall")) {
    flags.killAllRequested = true;
  } else {
    return false;
  }
  flags.showMainWindow = false;
  return true;
}

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> params;
  size_t i = 0;
  const size_t n = commandLine.size();
  while (i < n) {
    while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    if (i >= n) break;
    std::string param;
    bool quoted = false;
    while (i < n && (quoted || (commandLine[i] != ' ' && commandLine[i] != '\t'))) {
      size_t slashes = 0;
      while (i < n && commandLine[i] == '\\') ++slashes, ++i;
      if (i < n && commandLine[i] == '"') {
        param.append(slashes / 2, '\\');
        if (slashes % 2) {
          param += '"';
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        param.append(slashes, '\\');
        if (i < n && (quoted || (commandLine[i] != ' ' && commandLine[i] != '\t'))) param += commandLine[i++];
      }
    }
    params.push_back(param);
  }
  return params;
}

std::vector<std::string> ParseCommandLine(const std::string& commandLine, CommandLineFlags& flags) {
  std::vector<std::string> others;
  for (const std::string& param : SplitCommandLine(commandLine)) {
    const bool isFlag = !param.empty() && (param[0] == '-' || param[0] == '/');
    if (!ParseProgramFlag(isFlag ? param.substr(1) : param, isFlag, flags)) others.push_back(param);
  }
  return others;
}
