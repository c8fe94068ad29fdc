#include <gtest/gtest.h>

#include "MemorySettingsStore.h"
#include "url/UrlRules.h"

TEST(UrlRules, SelectionWithoutColonGetsHttpAndSurroundingBlanksGo) {
  EXPECT_EQ(AddressForSelection("www.example.com"), "http://www.example.com");
  EXPECT_EQ(AddressForSelection(" \t www.example.com \r\n"), "http://www.example.com");
  EXPECT_EQ(AddressForSelection("ftp://files.example.com/a"), "ftp://files.example.com/a");
  EXPECT_EQ(AddressForSelection("mailto:someone@example.com"), "mailto:someone@example.com");
  EXPECT_EQ(AddressForSelection(" \r\n\t"), "");
}

TEST(UrlRules, OnlyUrlSchemesOfTwoOrMoreCharactersAndNeverFile) {
  for (const char* web : {"http://a", "HTTPS://a/b", "mailto:x@y", "ftp://f", "ab:", "svn+ssh://h", "x-y.z:1"})
    EXPECT_TRUE(IsWebAddress(web)) << web;
  for (const char* local : {"C:\\x.exe", "c:/windows/notepad.exe", "file:///C:/x.exe", "FILE://server/share",
                            "File:x", "\\\\server\\share\\x.exe", "1ab:x", "a b:c", ":http", "",
                            "http//no-colon", "-x:y", "ht\ttp://a"})
    EXPECT_FALSE(IsWebAddress(local)) << local;
  // The http rule makes any colon-free selection a web address.
  EXPECT_TRUE(IsWebAddress(AddressForSelection("notepad.exe")));
  // A whole note selected is no address, however it begins.
  const std::string longest = "http://a/" + std::string(MAX_WEB_ADDRESS_LENGTH - 9, 'a');
  EXPECT_TRUE(IsWebAddress(longest));
  EXPECT_FALSE(IsWebAddress(longest + "a"));
}

TEST(UrlRules, FallbackSchemeIsTheSchemeBeforeTheSeparatorOrHttp) {
  EXPECT_EQ(FallbackScheme("ftp://f/x"), "ftp");
  EXPECT_EQ(FallbackScheme("mailto:x@y"), "http");
  EXPECT_EQ(FallbackScheme("://x"), "http");
  EXPECT_EQ(FallbackScheme("ab:..\\x://y"), "http") << "never a key path";
}

TEST(UrlRules, UnquotedProgramWithOptionAndPlaceholder) {
  const RegisteredCommand c =
      SplitRegisteredCommand("  C:\\Prog\\Browse.EXE -nohome %1 ", "http://a.example/x?q=1");
  EXPECT_EQ(c.program, "C:\\Prog\\Browse.EXE");
  EXPECT_EQ(c.arguments, "-nohome http://a.example/x?q=1");
}

TEST(UrlRules, QuotedProgramKeepsTheQuotesAroundThePlaceholder) {
  const RegisteredCommand c = SplitRegisteredCommand("\" C:\\Program Files\\B\\b.exe\" -url \"%1\" %1", "ftp://f");
  EXPECT_EQ(c.program, "C:\\Program Files\\B\\b.exe");
  EXPECT_EQ(c.arguments, "-url \"ftp://f\" %1") << "only the first placeholder";
  EXPECT_EQ(SplitRegisteredCommand("\"C:\\B b\\b.exe", "http://a").program, "C:\\B b\\b.exe");
  EXPECT_EQ(SplitRegisteredCommand("\"C:\\B b\\b.exe", "http://a").arguments, "http://a");
}

TEST(UrlRules, AddressIsAppendedAfterABlankWithoutPlaceholder) {
  RegisteredCommand c = SplitRegisteredCommand("C:\\b\\browse", "http://a");
  EXPECT_EQ(c.program, "C:\\b\\browse");
  EXPECT_EQ(c.arguments, "http://a");
  c = SplitRegisteredCommand("C:\\b\\b.exe -new", "http://a");
  EXPECT_EQ(c.program, "C:\\b\\b.exe");
  EXPECT_EQ(c.arguments, "-new http://a");
}

TEST(UrlRules, AddressStaysOneArgument) {
  const RegisteredCommand c = SplitRegisteredCommand("b.exe \"%1\"", "http://a/\" --evil \"x\ty");
  EXPECT_EQ(c.arguments, "\"http://a/%22%20--evil%20%22x%09y\"");
}

TEST(UrlRules, WebSiteAddressFromTheSettingOrTheDefault) {
  MemorySettingsStore store;
  EXPECT_EQ(WebSiteAddress(store, "https://d/"), "https://d/");
  store.WriteString("General", "Web Site Address", "  ");
  EXPECT_EQ(WebSiteAddress(store, "https://d/"), "https://d/");
  store.WriteString("General", "Web Site Address", " http://mirror.example/ ");
  EXPECT_EQ(WebSiteAddress(store, "https://d/"), "http://mirror.example/");
}
