#pragma once
#include <cstdint>
#include <string>

// The product version as the upgrade machinery writes and compares it:
// "%d.%02d.%03d" of the high and low words of the first version number and
// the high word of the second.
std::string FormatProductVersion(uint32_t versionMS, uint32_t versionLS);

// A downloaded upgrade is newer when its version text compares greater,
// byte by byte, than the running program's.
bool IsUpgradeNewer(const std::string& upgradeVersion, const std::string& ownVersion);
