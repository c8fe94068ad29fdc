#pragma once
#include <string>
#include <vector>

// The program's own command-line words. Each counts only as a flag, with a
// leading "-" or "/", in any case; everything else is left to the framework.
struct CommandLineFlags {
  bool showMainWindow = true;
  bool removeRequested = false;
  bool killAllRequested = false;
};

// `param` without its flag character; true when it was one of our words.
bool ParseProgramFlag(const std::string& param, bool isFlag, CommandLineFlags& flags);

// Splits a Windows command line (after the program name) into parameters the
// way the C runtime does for argv: blanks separate, double quotes group, and
// backslashes escape quotes only in front of them.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Parses every parameter; returns those that are not the program's own.
std::vector<std::string> ParseCommandLine(const std::string& commandLine, CommandLineFlags& flags);
