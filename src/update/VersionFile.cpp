#include "update/VersionFile.h"

#include <cstring>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

// Leading digits after an optional sign, held to the 32-bit range.
int64_t LeadingNumber(std::string_view text, int64_t lowest, int64_t highest) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > highest - lowest) break;  // already beyond either end
  }
  if (negative) value = -value;
  return value < lowest ? lowest : value > highest ? highest : value;
}

std::string Cut(std::string text, size_t maximum) {
  if (text.size() > maximum) text.resize(maximum);
  return text;
}

}  // namespace

std::string VersionFileUrl(const std::string& server) {
  const std::string place = server + VERSION_FILE_PATH;
  std::string url = std::string(VERSION_FILE_SCHEME) + "://" + place;
  if (place.find('/') == std::string::npos) url += '/';
  return url;
}

std::string FindTaggedValue(std::string_view file, std::string_view tag) {
  const size_t at = file.find(tag);
  if (tag.empty() || at == std::string_view::npos) return std::string();
  std::string_view value = file.substr(at + tag.size());
  value = value.substr(0, value.find('\r'));
  value = value.substr(0, value.find('\n'));
  while (!value.empty() && IsBlank(value.back())) value.remove_suffix(1);
  while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
  return std::string(value);
}

bool IsVersionFile(std::string_view body) {
  const size_t length = std::strlen(VERSION_FILE_MAGIC);
  return body.size() >= length && body.substr(0, length) == VERSION_FILE_MAGIC;
}

void ParseVersionFile(std::string_view file, const std::string& runningTag, VersionInfo& info) {
  // A field left from an earlier file would describe another download.
  info = VersionInfo();
  const std::string value = FindTaggedValue(file, runningTag);
  if (value.empty()) return;
  info.flags = static_cast<int32_t>(LeadingNumber(value, INT32_MIN, INT32_MAX));

  const size_t first = value.find(',');
  if (first == std::string::npos) return;
  const size_t second = value.find(',', first + 1);
  const std::string upgradeKey = value.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
  std::string messageKey;
  if (second != std::string::npos) {
    const size_t third = value.find(',', second + 1);
    messageKey = value.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
  }

  if (info.flags & VF_UPGRADE) {
    info.upgradeName = Cut(upgradeKey, UPGRADE_NAME_MAX);
    const bool patch = (info.flags & VF_PATCH) != 0;
    info.upgradeUrl = Cut(FindTaggedValue(file, upgradeKey + (patch ? "-PatchURL:" : "-FullURL:")), UPGRADE_URL_MAX);
    info.upgradeDesc = Cut(FindTaggedValue(file, upgradeKey + (patch ? "-PatchDesc:" : "-FullDesc:")), UPGRADE_DESC_MAX);
    const std::string size = FindTaggedValue(file, upgradeKey + (patch ? "-PatchSize:" : "-FullSize:"));
    // Digits only: a size is never negative.
    info.upgradeSize = size.empty() || size[0] < '0' || size[0] > '9'
                           ? 0
                           : static_cast<uint32_t>(LeadingNumber(size, 0, UINT32_MAX));
  }
  if (info.flags & VF_MESSAGE) {
    std::string message = FindTaggedValue(file, messageKey + "-Msg:");
    for (char& c : message)
      if (c == '|') c = '\n';
    info.message = Cut(std::move(message), VERSION_MESSAGE_MAX);
  }
}
