#include "app/VersionText.h"

#include <cstdio>
#include <cstring>

std::string FormatProductVersion(uint32_t versionMS, uint32_t versionLS) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%02d.%03d", static_cast<int>(versionMS >> 16),
                static_cast<int>(versionMS & 0xFFFF), static_cast<int>(versionLS >> 16));
  return text;
}

bool IsUpgradeNewer(const std::string& upgradeVersion, const std::string& ownVersion) {
  return std::strcmp(upgradeVersion.c_str(), ownVersion.c_str()) > 0;
}
