#include <gtest/gtest.h>

#include <string>

#include "app/VersionText.h"
#include "shared/FakeMessages.h"
#include "update/ProxyList.h"
#include "update/Upgrade.h"
#include "update/VersionFile.h"

namespace {

const std::string TAG = "1.00.012:";

VersionInfo Parse(const std::string& file) {
  VersionInfo info;
  info.upgradeDesc = "left from an earlier check";
  info.upgradeSize = 7;
  ParseVersionFile(file, TAG, info);
  return info;
}

}  // namespace

TEST(VersionFile, TaggedValuesAreFirstOccurrenceTrimmedToTheLineEnd) {
  EXPECT_EQ(FindTaggedValue("a\r\nkey: \t value one \r\nkey: two\n", "key:"), "value one");
  EXPECT_EQ(FindTaggedValue("key:  lf only  \nnext", "key:"), "lf only");
  EXPECT_EQ(FindTaggedValue("x key:at the end", "key:"), "at the end");
  EXPECT_EQ(FindTaggedValue("key:\r\n", "key:"), "");
  EXPECT_EQ(FindTaggedValue("nothing here", "key:"), "");
  // The tag of 1.00.012 is also inside 11.00.012's line, which comes first.
  EXPECT_EQ(Parse("Quillery\n11.00.012: 2,,a\n1.00.012: 0\na-Msg: eleven\n").message, "eleven");
  EXPECT_TRUE(IsVersionFile("Quillery\n"));
  EXPECT_FALSE(IsVersionFile("quillery\n1.00.012: 1"));
  EXPECT_FALSE(IsVersionFile("Quill"));
  EXPECT_EQ(VersionFileUrl("www.example.com"), "http://www.example.com/programs/Quillry.txt");
  EXPECT_EQ(VersionFileUrl("127.0.0.1:8080"), "http://127.0.0.1:8080/programs/Quillry.txt");
}

TEST(VersionFile, FullUpgradeAndMessageOfTheRunningVersion) {
  const VersionInfo info = Parse(
      "Quillery\r\n1.00.012: 3,1.01.000,spring,ignored\r\n1.01.000-FullURL: http://h/d/setup.exe \r\n"
      "1.01.000-FullDesc: Version 1.01\r\n1.01.000-FullSize: 4096 bytes\r\n1.01.000-PatchURL: http://h/p.exe\r\n"
      "spring-Msg: Line one|Line two\r\n");
  EXPECT_EQ(info.flags, 3);
  EXPECT_EQ(info.upgradeName, "1.01.000");
  EXPECT_EQ(info.upgradeUrl, "http://h/d/setup.exe");
  EXPECT_EQ(info.upgradeDesc, "Version 1.01");
  EXPECT_EQ(info.upgradeSize, 4096u);
  EXPECT_EQ(info.message, "Line one\nLine two");

  const VersionInfo patch = Parse("Quillery\n1.00.012: 5,1.01.000\n1.01.000-FullURL: full\n1.01.000-PatchURL: patch\n");
  EXPECT_EQ(patch.upgradeUrl, "patch");
  EXPECT_EQ(patch.upgradeSize, 0u) << "no size line";
  EXPECT_EQ(patch.upgradeDesc, "") << "every field is read anew";
}

TEST(VersionFile, EdgeCasesOfTheVersionEntry) {
  EXPECT_EQ(Parse("Quillery\n").flags, 0);
  EXPECT_EQ(Parse("Quillery\n1.00.012: 0,1.01.000\n").upgradeName, "");
  // Flags read as leading digits; no comma: nothing else is looked up.
  const VersionInfo bare = Parse("Quillery\n1.00.012: 1\n-FullURL: x\n");
  EXPECT_EQ(bare.flags, 1);
  EXPECT_EQ(bare.upgradeName, "");
  EXPECT_EQ(bare.upgradeUrl, "");
  EXPECT_EQ(Parse("Quillery\n1.00.012: 3x,a,b\n").flags, 3);
  EXPECT_EQ(Parse("Quillery\n1.00.012: -2,a\n").flags, -2);
  EXPECT_EQ(Parse("Quillery\n1.00.012: 99999999999,a\n").flags, INT32_MAX);
  EXPECT_EQ(Parse("Quillery\n1.00.012: 1,1.01.000\n").upgradeUrl, "");
  // One comma: the message key is empty.
  EXPECT_EQ(Parse("Quillery\n1.00.012: 2,a\n-Msg: keyless\n").message, "keyless");
  EXPECT_EQ(Parse("Quillery\n1.00.012: 1,a\na-FullSize: 99999999999\n").upgradeSize, UINT32_MAX);
  EXPECT_EQ(Parse("Quillery\n1.00.012: 1,a\na-FullSize: -5\n").upgradeSize, 0u);

  const std::string longKey(40, 'k');
  const std::string longUrl(600, 'u');
  const VersionInfo cut = Parse("Quillery\n1.00.012: 3," + longKey + ",m\n" + longKey + "-FullURL: " + longUrl +
                                "\nm-Msg: " + std::string(1100, '|') + "\n");
  EXPECT_EQ(cut.upgradeName, std::string(31, 'k'));
  EXPECT_EQ(cut.upgradeUrl.size(), 511u);
  EXPECT_EQ(cut.message, std::string(1023, '\n'));
}

TEST(VersionCheckText, EachResultReadsAsTheDialogShowsIt) {
  FakeMessages messages;
  VersionInfo info;
  EXPECT_EQ(CheckResultText(messages, true, 0, info), StringTableText(451));
  info.flags = VF_UPGRADE;
  info.upgradeName = "1.01.000";
  EXPECT_EQ(CheckResultText(messages, true, 0, info),
            "The following version of Quillery is now available:\n\n1.01.000\n\nPress \"Download\" to download it now.\n\n");
  info.flags = VF_UPGRADE | VF_MESSAGE;
  info.message = "a\nb";
  EXPECT_EQ(CheckResultText(messages, true, 0, info),
            "The following version of Quillery is now available:\n1.01.000\nPress \"Download\" to download it now.\n\na\nb");
  info.flags = VF_PATCH;
  EXPECT_EQ(CheckResultText(messages, true, 0, info), "");
  const std::string failed = StringTableText(452);
  EXPECT_EQ(CheckResultText(messages, false, VCERR_INTERNET_OPEN, info), failed + StringTableText(453));
  EXPECT_EQ(CheckResultText(messages, false, VCERR_OPEN_URL, info), failed + "Open of version checking URL failed.");
  EXPECT_EQ(CheckResultText(messages, false, VCERR_READ, info), failed + StringTableText(455));
  EXPECT_EQ(CheckResultText(messages, false, VCERR_INVALID_FILE, info), failed + "Invalid version file.");
  EXPECT_EQ(CheckResultText(messages, false, 12029, info), failed + "Unknown error.");
}

TEST(ProxyLists, ListedServersSystemOrNone) {
  Settings s;
  int asked = 0;
  const auto system = [&] {
    ++asked;
    return ProxyLists{"sys:8080", "<local>"};
  };
  s.httpProxy = "proxy1";
  s.httpPort = "80";
  s.ftpProxy = "PROXY1";
  s.ftpPort = "80";
  s.socksProxy = "gate";
  s.socksPort = "81";
  s.proxyOption = 0;
  EXPECT_EQ(BuildProxySettings(s, system).list, "");
  s.proxyOption = 1;
  EXPECT_EQ(BuildProxySettings(s, system).bypass, "<local>");
  EXPECT_EQ(asked, 1);
  s.proxyOption = 2;
  EXPECT_EQ(BuildProxySettings(s, system).list, "proxy1:80 socks=gate:81");
  s.ftpPort = "21";
  s.ftpProxy = "proxy1";
  EXPECT_EQ(BuildProxySettings(s, system).list, "http=proxy1:80 ftp=proxy1:21 socks=gate:81");
  s.httpProxy = s.httpPort = s.ftpProxy = s.ftpPort = s.socksPort = "";
  EXPECT_EQ(BuildProxySettings(s, system).list, "socks=gate");
  s.proxyOption = 7;
  EXPECT_EQ(BuildProxySettings(s, system).list, "");
  EXPECT_EQ(asked, 1);
}

TEST(UpgradeDownload, TheFileNameFromTheNetworkMustBePlain) {
  EXPECT_EQ(UpgradeFileNameOf("http://h/dl/setup.exe"), "setup.exe");
  EXPECT_EQ(UpgradeFileNameOf("setup.exe"), "setup.exe");
  EXPECT_EQ(UpgradeFileNameOf("http://h/dl/"), "");
  EXPECT_EQ(UpgradeFileNameOf("http://h/dl/..\\evil.exe"), "..\\evil.exe");
  EXPECT_TRUE(IsPlainFileName("setup.exe"));
  EXPECT_TRUE(IsPlainFileName("Quillery 1.01 setup.exe"));
  for (const char* refused : {"", "..", "a..b", "..\\evil.exe", "dir\\x.exe", "d/x", "C:x.exe", "x.exe:stream",
                              "x?.exe", "x.exe.", "x.exe ", "con", "CON.txt", "lpt1.exe", "nul", "a\tb", "a|b"})
    EXPECT_FALSE(IsPlainFileName(refused)) << refused;
  EXPECT_TRUE(IsPlainFileName("console.exe"));
  EXPECT_FALSE(IsPlainFileName(std::string(201, 'a')));
}

TEST(UpgradeDownload, ProgressIsClampedAndTheLengthMustMatchTheAnnouncedOne) {
  EXPECT_EQ(ProgressPercent(0, 1000), 0u);
  EXPECT_EQ(ProgressPercent(512, 1024), 50u);
  EXPECT_EQ(ProgressPercent(1024, 1024), 100u);
  EXPECT_EQ(ProgressPercent(5000, 1024), 100u) << "more than announced";
  // 45 MB * 100 overflows 32 bits.
  EXPECT_EQ(ProgressPercent(45000000, 90000000), 50u);
  EXPECT_EQ(ProgressPercent(10, 0), 0u);
  EXPECT_TRUE(DownloadLengthMatches(1024, 1024));
  EXPECT_TRUE(DownloadLengthMatches(5, 0));
  EXPECT_FALSE(DownloadLengthMatches(1023, 1024));
  EXPECT_FALSE(DownloadLengthMatches(1025, 1024));
  // Versions compare as byte strings.
  EXPECT_TRUE(IsUpgradeNewer("1.10.000", "1.09.999"));
  EXPECT_FALSE(IsUpgradeNewer("1.00.000", "1.00.000"));
  EXPECT_FALSE(IsUpgradeNewer("", "1.00.000"));
}
