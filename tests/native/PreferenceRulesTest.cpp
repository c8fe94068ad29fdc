#include <gtest/gtest.h>

#include "preferences/PreferenceRules.h"
#include "res/resource.h"

TEST(PreferenceRulesTest, ProxyTextsAreTrimmedWhateverTheOptionAndPortsCheckedOnlyForListedServers) {
  ProxyTexts texts{" \thost ", " port? ", "", "", " s\t", "0"};
  EXPECT_EQ(CheckProxyTexts(0, texts).messageId, 0u);
  EXPECT_EQ(texts.httpProxy, "host");
  EXPECT_EQ(texts.httpPort, "port?");
  EXPECT_EQ(texts.socksProxy, "s");
  EXPECT_EQ(texts.socksPort, "0");

  ProxyTexts none{"  ", "80", "", "", "", ""};
  const ProxyCheck empty = CheckProxyTexts(2, none);
  EXPECT_EQ(empty.messageId, static_cast<uint32_t>(IDS_PROXY_NO_SERVER));
  EXPECT_EQ(empty.field, ProxyField::HttpProxy);
}

TEST(PreferenceRulesTest, ListedPortsMustLieBetween1And65535AndAreRewrittenInDecimal) {
  ProxyTexts ok{"", " 080", "ftp.example", "8080x", "", ""};
  EXPECT_EQ(CheckProxyTexts(2, ok).messageId, 0u);
  EXPECT_EQ(ok.httpPort, "80");
  EXPECT_EQ(ok.ftpPort, "8080");
  EXPECT_EQ(ok.socksPort, "");

  const std::pair<const char*, ProxyField> refused[] = {
      {"0", ProxyField::HttpPort}, {"65536", ProxyField::HttpPort}, {"-1", ProxyField::HttpPort},
      {"x", ProxyField::HttpPort}, {"99999999999999", ProxyField::HttpPort}};
  for (const auto& [port, field] : refused) {
    ProxyTexts t{"h", port, "", "65535", "", "1"};
    const ProxyCheck check = CheckProxyTexts(2, t);
    EXPECT_EQ(check.messageId, static_cast<uint32_t>(IDS_PROXY_BAD_PORT)) << port;
    EXPECT_EQ(check.field, field) << port;
  }
  // The first bad port in page order is the one reported.
  ProxyTexts later{"h", "1", "", "70000", "", "0"};
  EXPECT_EQ(CheckProxyTexts(2, later).field, ProxyField::FtpPort);
  ProxyTexts last{"h", "", "", "", "", "0"};
  EXPECT_EQ(CheckProxyTexts(2, last).field, ProxyField::SocksPort);
}

TEST(PreferenceRulesTest, FixedTimeNeedsAnIntervalOfADayOrMore) {
  const FixedTimeControls shortInterval = FixedTimeState(86399, true);
  EXPECT_FALSE(shortInterval.boxEnabled);
  EXPECT_FALSE(shortInterval.pickerEnabled);
  EXPECT_FALSE(shortInterval.useFixedTime);
  const FixedTimeControls dayOff = FixedTimeState(86400, false);
  EXPECT_TRUE(dayOff.boxEnabled);
  EXPECT_FALSE(dayOff.pickerEnabled);
  const FixedTimeControls dayOn = FixedTimeState(2419200, true);
  EXPECT_TRUE(dayOn.pickerEnabled);
  EXPECT_TRUE(dayOn.useFixedTime);
}

TEST(PreferenceRulesTest, StartPageIsTheStoredTabWhenItNamesAPage) {
  EXPECT_EQ(PreferencesStartPage(4, 5), 4);
  EXPECT_EQ(PreferencesStartPage(5, 5), 0);
  EXPECT_EQ(PreferencesStartPage(0xFFFFFFFF, 5), 0);
}
