// Bytes as an upgrade URL, sizes and two versions: a name that passes the
// check is one plain file name inside the Upgrades folder, the progress stays
// within 0 to 100 and never goes back, and the byte-wise version comparison
// orders the program's own version texts as their numbers.
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "app/VersionText.h"
#include "update/Upgrade.h"

namespace {

bool Reserved(std::string base) {
  base = base.substr(0, base.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (base == device) return true;
  return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '0' &&
         base[3] <= '9';
}

uint64_t Numeric(uint32_t ms, uint32_t ls) { return (uint64_t{ms} << 16) | (ls >> 16); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string url = in.Bytes(in.Byte() * 2u);
  const std::string name = UpgradeFileNameOf(url);
  FUZZ_CHECK(name.find('/') == std::string::npos);
  FUZZ_CHECK(url.size() >= name.size() && url.compare(url.size() - name.size(), name.size(), name) == 0);
  if (IsPlainFileName(name)) {
    FUZZ_CHECK(!name.empty() && name.size() <= 200);
    FUZZ_CHECK(name.find_first_of("\\/:*?\"<>|") == std::string::npos);
    FUZZ_CHECK(name.find("..") == std::string::npos && name != ".");
    FUZZ_CHECK(name.back() != '.' && name.back() != ' ' && !Reserved(name));
    for (unsigned char c : name) FUZZ_CHECK(c >= 0x20 && c != 0x7F);
  }

  const uint32_t announced = in.Word();
  const uint64_t total = (uint64_t{in.Word()} << 8) | in.Byte();
  const uint64_t more = total + in.Word();
  const uint32_t percent = ProgressPercent(total, announced);
  FUZZ_CHECK(percent <= 100);
  FUZZ_CHECK(ProgressPercent(more, announced) >= percent);
  if (announced != 0 && total >= announced) FUZZ_CHECK(percent == 100);
  if (announced != 0 && total < announced) FUZZ_CHECK(percent < 100);
  FUZZ_CHECK(DownloadLengthMatches(total, announced) == (announced == 0 || total == announced));

  const uint32_t ams = in.Word(), als = in.Word(), bms = in.Word(), bls = in.Word();
  const std::string a = FormatProductVersion(ams, als);
  const std::string b = FormatProductVersion(bms, bls);
  FUZZ_CHECK(a.size() < 32);
  FUZZ_CHECK(!(IsUpgradeNewer(a, b) && IsUpgradeNewer(b, a)));
  FUZZ_CHECK(IsUpgradeNewer(a, b) == (std::strcmp(a.c_str(), b.c_str()) > 0));
  // With the same width of major and the usual widths of minor and build,
  // the texts order as the numbers.
  const bool usual = (ams & 0xFFFF) < 100 && (bms & 0xFFFF) < 100 && (als >> 16) < 1000 && (bls >> 16) < 1000 &&
                     std::to_string(ams >> 16).size() == std::to_string(bms >> 16).size();
  if (usual) FUZZ_CHECK(IsUpgradeNewer(a, b) == (Numeric(ams, als) > Numeric(bms, bls)));
  return 0;
}
