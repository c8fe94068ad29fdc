#include "update/ProxyList.h"

#include <cctype>

namespace {

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

void Append(std::string& list, const char* protocol, const std::string& server, const std::string& port) {
  if (server.empty()) return;
  if (!list.empty()) list += ' ';
  list += protocol;
  list += server;
  if (!port.empty()) list += ":" + port;
}

}  // namespace

ProxyLists BuildProxySettings(const Settings& s, const std::function<ProxyLists()>& systemProxies) {
  ProxyLists lists;
  if (s.proxyOption == 1) {
    lists = systemProxies();
  } else if (s.proxyOption == 2) {
    if (!s.httpProxy.empty() && SameText(s.httpProxy, s.ftpProxy) && SameText(s.httpPort, s.ftpPort)) {
      Append(lists.list, "", s.httpProxy, s.httpPort);  // one proxy for every protocol
    } else {
      Append(lists.list, "http=", s.httpProxy, s.httpPort);
      Append(lists.list, "ftp=", s.ftpProxy, s.ftpPort);
    }
    Append(lists.list, "socks=", s.socksProxy, s.socksPort);
  }
  return lists;
}
