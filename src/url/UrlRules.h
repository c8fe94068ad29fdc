#pragma once
#include <string>

#include "settings/SettingsStore.h"

// What Open URL makes of a selected text, and how a browser command
// registered for a scheme is split and given the address. A note's text
// is anyone's, so nothing here lets it name a program or a file.

// The address for a selection: the text without surrounding blanks and
// line breaks, with "http://" in front when it has no colon (a bare host
// name). Empty when nothing but blanks was selected.
std::string AddressForSelection(const std::string& selection);

// True when `address` begins with a URL scheme (a letter, then letters,
// digits, '+', '-' or '.') of at least two characters and a colon, and
// the scheme is not "file", and it is no longer than
// MAX_WEB_ADDRESS_LENGTH. A drive path such as "C:\x.exe" has a
// one-letter scheme and is refused.
bool IsWebAddress(const std::string& address);

// The longest URL browsers and WinINet take; the shell under Wine
// overruns its stack on a selection of some thousands of characters.
constexpr size_t MAX_WEB_ADDRESS_LENGTH = 2083;

// The scheme whose registered command opens `address` when the shell
// cannot: the text before the first "://" when that is a scheme,
// otherwise "http".
std::string FallbackScheme(const std::string& address);

struct RegisteredCommand {
  std::string program;
  std::string arguments;
};

// Splits a registered shell command into its program (quoted, or up to
// ".exe ", or the whole command) and its arguments, and puts `address`
// into them: in place of the first "%1", else after a blank at the end.
// Blanks, quotes and control characters of the address are
// percent-encoded first, so that it stays one argument.
RegisteredCommand SplitRegisteredCommand(const std::string& command, const std::string& address);

// The vendor's web site: "Web Site Address" under "General" when stored,
// otherwise `defaultAddress`.
std::string WebSiteAddress(ISettingsStore& store, const std::string& defaultAddress);
