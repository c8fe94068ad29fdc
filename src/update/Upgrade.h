#pragma once
#include <cstdint>
#include <string>

#include "base/Messages.h"
#include "update/VersionFile.h"

// Download results: the download thread's exit code and the final progress
// message's lParam. Any other non-zero value is the system error code of a
// failed file creation.
constexpr uint32_t DL_OK = 0;
constexpr uint32_t DL_ERR_INTERNET_OPEN = 1;
constexpr uint32_t DL_ERR_OPEN_URL = 2;
constexpr uint32_t DL_ERR_READ = 3;
constexpr uint32_t DL_ERR_WRITE = 10;
// The server answered with another status than 200, or with another length
// than the version file announced.
constexpr uint32_t DL_ERR_REPLY = 11;
// The URL names no plain file name to store the download under.
constexpr uint32_t DL_ERR_FILE_NAME = 12;
constexpr uint32_t DL_CANCELLED = 99;

// The text of the URL after its last "/" (the whole URL when it has none).
std::string UpgradeFileNameOf(const std::string& url);

// The name comes from the network: only a plain file name that stays in the
// Upgrades folder is accepted (no path, drive, stream, "..", device name or
// character Windows refuses).
bool IsPlainFileName(const std::string& name);

// The progress bar's position, 0 to 100, for `total` bytes of `announced`
// (not 0: the bar then shows only that something happens).
uint32_t ProgressPercent(uint64_t total, uint32_t announced);

// A download is whole when its length is the announced one (when announced).
bool DownloadLengthMatches(uint64_t total, uint32_t announced);

// The text of the check dialog for a result: `ok` with `info`, or the
// failure `error` (VCERR_*).
std::string CheckResultText(IMessages& messages, bool ok, uint32_t error, const VersionInfo& info);
