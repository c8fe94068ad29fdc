#pragma once
#include <cstdint>
#include <string>

// The rules of the Preferences sheet and the setup wizard that need no
// windows: the proxy page's check, the fixed-time controls, the start page.

// The proxy page's six texts, in the order of the page.
struct ProxyTexts {
  std::string httpProxy, httpPort;
  std::string ftpProxy, ftpPort;
  std::string socksProxy, socksPort;
};

enum class ProxyField { None, HttpProxy, HttpPort, FtpPort, SocksPort };

struct ProxyCheck {
  uint32_t messageId = 0;  // 0 when accepted, else the message to show
  ProxyField field = ProxyField::None;  // where the focus goes back to
};

// Trims all six texts whatever the option; with option 2 (servers listed on
// the page) also asks for a server and checks the ports, writing accepted
// ports in plain decimal ("080" becomes "80", "8080x" becomes "8080").
ProxyCheck CheckProxyTexts(uint32_t proxyOption, ProxyTexts& texts);

std::string TrimBlanks(const std::string& text);

// The fixed-time box and picker for a remind interval: a fixed time of day
// only makes sense for intervals of a day or more.
struct FixedTimeControls {
  bool boxEnabled;
  bool pickerEnabled;
  bool useFixedTime;  // what the box and the setting hold afterwards
};
FixedTimeControls FixedTimeState(uint32_t remindSeconds, bool useFixedTime);

// The page the sheet opens on: "Current Prefs Tab" when it names one of the
// `pageCount` pages, the first page otherwise.
int PreferencesStartPage(uint32_t currentTab, int pageCount);
