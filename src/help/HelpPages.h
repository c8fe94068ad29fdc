#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The help pages installed in the "help" folder beside the program: which
// page and place on it answers a help context number, and the address that
// opens it in a browser.

struct HelpPage {
  std::string file;    // in the help folder, e.g. "find.html"
  std::string anchor;  // an element id on the page, empty for its top
};

// The contents page, for Help Topics.
inline const char* const HELP_CONTENTS_PAGE = "index.html";

// The page of a command's or view's topic (HELP_COMMAND_BASE + id), of a
// dialog's or page's topic (HELP_DIALOG_BASE + template id), or of a
// control's context help id; nothing for a number the program never asks.
std::optional<HelpPage> FindHelpPage(uint32_t context);

// As FindHelpPage, with the contents page for a number it does not know:
// a user who asks for help gets a page.
HelpPage HelpPageFor(uint32_t context);

// The file: address of `page` in `folder` (a Windows path ending in a
// backslash), with the anchor after '#'. Characters that would end or
// change the address ('%', '#', '?', blanks, quotes, controls) are
// percent-encoded.
std::string HelpPageUrl(const std::string& folder, const HelpPage& page);
