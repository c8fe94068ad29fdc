// The help pages against the resource script: every command, dialog and
// control help id the program can ask for has a page and the anchor on it.
#include <gtest/gtest.h>

// GCC 12 warns inside <regex> at -O2; a known false report.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "help/HelpPages.h"
#include "res/resource.h"

namespace {

std::string ReadSource(const std::string& path) {
  std::ifstream in(std::string(QUILLERY_SOURCE_DIR) + "/" + path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::map<std::string, uint32_t> Defines() {
  std::map<std::string, uint32_t> values;
  const std::regex define(R"(#define\s+(\w+)\s+(0x[0-9A-Fa-f]+|\d+)\b)");
  for (const char* header : {"src/res/resource.h", "src/framework/FrameworkIds.h"}) {
    const std::string text = ReadSource(header);
    for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
      values[(*it)[1]] = static_cast<uint32_t>(std::stoul((*it)[2], nullptr, 0));
  }
  return values;
}

// The contexts of the script: commands of menus, toolbar and keys, dialog
// topics and control help ids, named for the failure message.
std::map<uint32_t, std::string> ScriptContexts() {
  const std::map<std::string, uint32_t> defines = Defines();
  const std::string script = ReadSource("src/res/Quillery.rc");
  std::map<uint32_t, std::string> contexts;
  const std::regex command(R"(\b(ID_[A-Z_]+)\b)");
  for (std::sregex_iterator it(script.begin(), script.end(), command), end; it != end; ++it) {
    const std::string name = (*it)[1];
    if (name.rfind("ID_INDICATOR_", 0) == 0) continue;
    EXPECT_TRUE(defines.count(name)) << name;
    contexts[HELP_COMMAND_BASE + defines.at(name)] = name;
  }
  const std::regex dialog(R"((IDD_\w+)\s+DIALOGEX)");
  for (std::sregex_iterator it(script.begin(), script.end(), dialog), end; it != end; ++it) {
    if ((*it)[1] != "IDD_SPLASH") contexts[HELP_DIALOG_BASE + defines.at((*it)[1])] = (*it)[1];
  }
  const std::regex control(R"(HELPID_CONTROL\((\w+),\s*(\w+)\)|(0x8[0-9A-F]{7})\b)");
  for (std::sregex_iterator it(script.begin(), script.end(), control), end; it != end; ++it) {
    const std::smatch& m = *it;
    const uint32_t id = m[3].matched ? static_cast<uint32_t>(std::stoul(m[3], nullptr, 16))
                                     : HELPID_CONTROL(defines.at(m[1]), defines.at(m[2]));
    contexts[id] = m.str();
  }
  return contexts;
}

TEST(HelpPagesTest, EveryContextOfTheProgramHasAPageAndItsAnchor) {
  std::map<uint32_t, std::string> contexts = ScriptContexts();
  ASSERT_GT(contexts.size(), 100u);
  std::set<std::string> pages = {HELP_CONTENTS_PAGE};
  for (const auto& [context, name] : contexts) {
    const std::optional<HelpPage> page = FindHelpPage(context);
    if (!page) {
      ADD_FAILURE() << name << " has no help page";
      continue;
    }
    pages.insert(page->file);
    const std::string text = ReadSource("help/" + page->file);
    EXPECT_FALSE(text.empty()) << name << ": help/" << page->file << " is missing";
    if (!page->anchor.empty()) {
      EXPECT_NE(text.find("id=\"" + page->anchor + "\""), std::string::npos)
          << name << ": " << page->file << "#" << page->anchor;
    }
  }
  // Every page is reached from the contents page.
  const std::string contents = ReadSource("help/index.html");
  for (const std::string& file : pages)
    EXPECT_NE(contents.find("href=\"" + file), std::string::npos) << file << " is not in the contents";
  EXPECT_FALSE(FindHelpPage(HELP_COMMAND_BASE + 1));
  EXPECT_EQ(HelpPageFor(0).file, HELP_CONTENTS_PAGE);
}

TEST(HelpPagesTest, AddressEncodesWhatWouldEndOrChangeIt) {
  EXPECT_EQ(HelpPageUrl("C:\\Program Files\\Q#1 100%\\help\\", {"find.html", "ctl-10507"}),
            "file:///C:/Program%20Files/Q%231%20100%25/help/find.html#ctl-10507");
  EXPECT_EQ(HelpPageUrl("D:\\q\\help\\", {"index.html", ""}), "file:///D:/q/help/index.html");
}

}  // namespace
