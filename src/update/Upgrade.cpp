#include "update/Upgrade.h"

#include <cctype>

#include "res/resource.h"

std::string UpgradeFileNameOf(const std::string& url) {
  const size_t slash = url.rfind('/');
  return slash == std::string::npos ? url : url.substr(slash + 1);
}

namespace {

bool IsDeviceName(std::string name) {
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$")
    return true;
  return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
         name[3] >= '0' && name[3] <= '9';
}

}  // namespace

bool IsPlainFileName(const std::string& name) {
  if (name.empty() || name.size() > 200 || name.find("..") != std::string::npos) return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F) return false;
    for (char bad : std::string("\\/:*?\"<>|"))
      if (c == static_cast<unsigned char>(bad)) return false;
  }
  // Windows drops a trailing dot or blank: the file would have another name.
  if (name.back() == '.' || name.back() == ' ' || name.front() == ' ') return false;
  return !IsDeviceName(name);
}

uint32_t ProgressPercent(uint64_t total, uint32_t announced) {
  if (announced == 0) return 0;
  const uint64_t percent = total * 100 / announced;
  return percent > 100 ? 100 : static_cast<uint32_t>(percent);
}

bool DownloadLengthMatches(uint64_t total, uint32_t announced) { return announced == 0 || total == announced; }

std::string CheckResultText(IMessages& messages, bool ok, uint32_t error, const VersionInfo& info) {
  if (!ok) {
    uint32_t reason = IDS_CHECK_UNKNOWN_ERROR;
    switch (error) {
      case VCERR_INTERNET_OPEN: reason = IDS_CHECK_SESSION_FAILED; break;
      case VCERR_OPEN_URL: reason = IDS_CHECK_OPEN_URL_FAILED; break;
      case VCERR_READ: reason = IDS_CHECK_READ_FAILED; break;
      case VCERR_INVALID_FILE: reason = IDS_CHECK_INVALID_FILE; break;
    }
    return messages.LoadText(IDS_CHECK_FAILED) + messages.LoadText(reason);
  }
  if (info.flags == 0) return messages.LoadText(IDS_CHECK_UP_TO_DATE);
  std::string text;
  if (info.flags & VF_UPGRADE) {
    const std::string name = (info.flags & VF_MESSAGE) ? info.upgradeName : "\n" + info.upgradeName + "\n";
    text = messages.LoadText(IDS_CHECK_UPGRADE_AVAILABLE);
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name);
  }
  if (info.flags & VF_MESSAGE) text += info.message;
  return text;
}
