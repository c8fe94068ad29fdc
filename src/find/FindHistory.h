#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "find/CaseFold.h"

// The Find dialog's recent search texts: newest first, at most 26, no two
// that differ only in case.
constexpr size_t FIND_HISTORY_SIZE = 26;

// "String_a" for index 0 up to "String_z".
std::string FindHistoryValueName(size_t index);
// The list's index of `text`, compared ignoring case; -1 when absent.
int FindInHistory(const std::vector<std::string>& history, const std::string& text, const CaseFold& fold);
// Appends a stored text unless it is empty or the list holds it already.
void AddStoredToHistory(std::vector<std::string>& history, const std::string& text, const CaseFold& fold);
// A search for `text`: it becomes the first entry, unless it is the first
// already (as typed or in another case); false when the list stays as it was.
bool AddSearchToHistory(std::vector<std::string>& history, const std::string& text, const CaseFold& fold);
