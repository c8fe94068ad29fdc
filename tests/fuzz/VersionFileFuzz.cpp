// Bytes as a version file read for a running version: every tagged value is
// what a plain scan of the file finds, every field keeps its bounds and its
// flag, and a second reading over the first gives the same record.
#include <string>

#include "FuzzSupport.h"
#include "update/VersionFile.h"

namespace {

const char* const BLANKS = " \t\v\f\r\n";

// The value rule written out once more, as an oracle.
std::string PlainValue(const std::string& file, const std::string& tag) {
  const size_t at = file.find(tag);
  if (tag.empty() || at == std::string::npos) return std::string();
  std::string line = file.substr(at + tag.size());
  line = line.substr(0, line.find_first_of("\r\n"));
  const size_t first = line.find_first_not_of(BLANKS);
  if (first == std::string::npos) return std::string();
  return line.substr(first, line.find_last_not_of(BLANKS) - first + 1);
}

bool SameInfo(const VersionInfo& a, const VersionInfo& b) {
  return a.flags == b.flags && a.upgradeName == b.upgradeName && a.upgradeUrl == b.upgradeUrl &&
         a.upgradeDesc == b.upgradeDesc && a.upgradeSize == b.upgradeSize && a.message == b.message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  // A tag of the input's choosing, or the usual one.
  const uint8_t choice = in.Byte();
  const std::string tag = choice < 16 ? in.Bytes(choice) : "1.00.012:";
  const std::string file = in.Bytes(VERSION_FILE_MAX_BYTES);

  FUZZ_CHECK(IsVersionFile(file) == (file.compare(0, 8, "Quillery") == 0 && file.size() >= 8));
  const std::string value = FindTaggedValue(file, tag);
  FUZZ_CHECK(value == PlainValue(file, tag));

  VersionInfo info;
  ParseVersionFile(file, tag, info);
  FUZZ_CHECK(info.upgradeName.size() <= UPGRADE_NAME_MAX && info.upgradeUrl.size() <= UPGRADE_URL_MAX &&
             info.upgradeDesc.size() <= UPGRADE_DESC_MAX && info.message.size() <= VERSION_MESSAGE_MAX);
  FUZZ_CHECK(info.upgradeUrl.find_first_of("\r\n") == std::string::npos);
  FUZZ_CHECK(info.upgradeDesc.find_first_of("\r\n") == std::string::npos);
  FUZZ_CHECK(info.message.find_first_of("|\r") == std::string::npos);
  if (value.empty()) FUZZ_CHECK(SameInfo(info, VersionInfo()));
  if ((info.flags & VF_UPGRADE) == 0)
    FUZZ_CHECK(info.upgradeName.empty() && info.upgradeUrl.empty() && info.upgradeDesc.empty() && info.upgradeSize == 0);
  if ((info.flags & VF_MESSAGE) == 0) FUZZ_CHECK(info.message.empty());
  if (value.find(',') == std::string::npos) FUZZ_CHECK(info.upgradeName.empty() && info.message.empty());
  // The offered name is the text between the first two commas.
  if ((info.flags & VF_UPGRADE) && value.find(',') != std::string::npos) {
    const size_t first = value.find(',');
    FUZZ_CHECK(value.compare(first + 1, info.upgradeName.size(), info.upgradeName) == 0);
  }

  VersionInfo again = info;
  again.upgradeDesc += "stale";
  ParseVersionFile(file, tag, again);
  FUZZ_CHECK(SameInfo(info, again));
  return 0;
}
