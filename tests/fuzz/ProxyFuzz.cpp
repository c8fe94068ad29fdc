// Bytes as the proxy page's six texts and its option. The check trims every
// text; with the servers listed on the page it accepts only ports from 1 to
// 65535, written back in plain decimal, and checking again changes nothing.
#include <string>

#include "FuzzSupport.h"
#include "preferences/PreferenceRules.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void CheckTrimmed(const std::string& text) {
  FUZZ_CHECK(text.empty() || (!Blank(text.front()) && !Blank(text.back())));
}

void CheckPort(const std::string& port) {
  if (port.empty()) return;
  FUZZ_CHECK(port.size() <= 5 && port[0] != '0');
  for (char c : port) FUZZ_CHECK(c >= '0' && c <= '9');
  FUZZ_CHECK(std::stoul(port) <= 65535);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint32_t option = in.Byte() % 4;
  ProxyTexts texts;
  for (std::string* text : {&texts.httpProxy, &texts.httpPort, &texts.ftpProxy, &texts.ftpPort,
                            &texts.socksProxy, &texts.socksPort})
    *text = in.Bytes(in.Byte() % 40);
  const ProxyCheck check = CheckProxyTexts(option, texts);
  for (const std::string* text : {&texts.httpProxy, &texts.httpPort, &texts.ftpProxy, &texts.ftpPort,
                                  &texts.socksProxy, &texts.socksPort})
    CheckTrimmed(*text);
  if (option == 2 && check.messageId == 0) {
    CheckPort(texts.httpPort);
    CheckPort(texts.ftpPort);
    CheckPort(texts.socksPort);
    const ProxyTexts before = texts;
    FUZZ_CHECK(CheckProxyTexts(option, texts).messageId == 0);
    FUZZ_CHECK(texts.httpPort == before.httpPort && texts.ftpPort == before.ftpPort &&
               texts.socksPort == before.socksPort);
  }
  return 0;
}
