#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The version information file on the vendor's web server: plain text that
// begins with the product's short name; each entry is a tag and its value on
// one line. The running version's entry says what its users are offered.

constexpr int32_t VF_UPGRADE = 0x1;
constexpr int32_t VF_MESSAGE = 0x2;
constexpr int32_t VF_PATCH = 0x4;

constexpr const char* VERSION_FILE_SCHEME = "http";
constexpr const char* VERSION_FILE_PATH = "/programs/Quillry.txt";
constexpr const char* VERSION_FILE_MAGIC = "Quillery";
// A version file is a few lines: a longer reply is not one, and is not read on.
constexpr size_t VERSION_FILE_MAX_BYTES = 64 * 1024;

constexpr size_t UPGRADE_NAME_MAX = 31;
constexpr size_t UPGRADE_URL_MAX = 511;
constexpr size_t UPGRADE_DESC_MAX = 511;
constexpr size_t VERSION_MESSAGE_MAX = 1023;

struct VersionInfo {
  int32_t flags = 0;
  std::string upgradeName;  // the offered upgrade's key, as "%d.%02d.%03d"
  std::string upgradeUrl;
  std::string upgradeDesc;
  uint32_t upgradeSize = 0;  // 0: not announced
  std::string message;       // line feeds where the file had "|"
};

// The results a check reports besides success.
constexpr uint32_t VCERR_INTERNET_OPEN = 1;
constexpr uint32_t VCERR_OPEN_URL = 2;
constexpr uint32_t VCERR_READ = 3;
constexpr uint32_t VCERR_INVALID_FILE = 4;

// The URL of the version file on `server` (a host, optionally with a port).
std::string VersionFileUrl(const std::string& server);

// The value after the first occurrence of `tag`, up to the line's end,
// without surrounding white space; "" when the tag is missing.
std::string FindTaggedValue(std::string_view file, std::string_view tag);

// The body begins with the short name, in this letter case.
bool IsVersionFile(std::string_view body);

// Fills `info` from the entries for the version tagged `runningTag` (as
// "1.00.012:"). Every field is cleared first.
void ParseVersionFile(std::string_view file, const std::string& runningTag, VersionInfo& info);
