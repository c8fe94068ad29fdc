#pragma once
#include <functional>
#include <string>

#include "settings/Settings.h"

// The proxy servers WinINet is to use, in its own list syntax; both empty
// for a direct (or system-configured) connection.
struct ProxyLists {
  std::string list;
  std::string bypass;
};

// By "Proxy Option": 0 none, 1 what the system has configured (asked of
// `systemProxies` only then), 2 the servers listed in the preferences.
ProxyLists BuildProxySettings(const Settings& settings, const std::function<ProxyLists()>& systemProxies);
