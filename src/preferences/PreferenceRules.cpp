#include "preferences/PreferenceRules.h"

#include <cctype>

#include "res/resource.h"

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// Leading digits after an optional sign, as the runtime's atoi reads them;
// the value saturates instead of overflowing.
int64_t LeadingNumber(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value < 100000000) value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

// An empty port means the protocol's default; anything else must name a
// port.
bool CheckPort(std::string& port) {
  if (port.empty()) return true;
  const int64_t value = LeadingNumber(port);
  if (value < 1 || value > 65535) return false;
  port = std::to_string(value);
  return true;
}

}  // namespace

std::string TrimBlanks(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

ProxyCheck CheckProxyTexts(uint32_t proxyOption, ProxyTexts& t) {
  for (std::string* text : {&t.httpProxy, &t.httpPort, &t.ftpProxy, &t.ftpPort, &t.socksProxy, &t.socksPort}) {
    *text = TrimBlanks(*text);
  }
  if (proxyOption != 2) return {};
  if (t.httpProxy.empty() && t.ftpProxy.empty() && t.socksProxy.empty()) {
    return {IDS_PROXY_NO_SERVER, ProxyField::HttpProxy};
  }
  if (!CheckPort(t.httpPort)) return {IDS_PROXY_BAD_PORT, ProxyField::HttpPort};
  if (!CheckPort(t.ftpPort)) return {IDS_PROXY_BAD_PORT, ProxyField::FtpPort};
  if (!CheckPort(t.socksPort)) return {IDS_PROXY_BAD_PORT, ProxyField::SocksPort};
  return {};
}

FixedTimeControls FixedTimeState(uint32_t remindSeconds, bool useFixedTime) {
  if (remindSeconds >= 86400) return {true, useFixedTime, useFixedTime};
  return {false, false, false};
}

int PreferencesStartPage(uint32_t currentTab, int pageCount) {
  return currentTab < static_cast<uint32_t>(pageCount) ? static_cast<int>(currentTab) : 0;
}
