#include "find/FindHistory.h"

std::string FindHistoryValueName(size_t index) { return std::string("String_") + static_cast<char>('a' + index); }

int FindInHistory(const std::vector<std::string>& history, const std::string& text, const CaseFold& fold) {
  for (size_t i = 0; i < history.size(); ++i) {
    const std::string& entry = history[i];
    if (entry.size() != text.size()) continue;
    size_t k = 0;
    while (k < text.size() && fold.lower[static_cast<unsigned char>(entry[k])] ==
                                  fold.lower[static_cast<unsigned char>(text[k])])
      ++k;
    if (k == text.size()) return static_cast<int>(i);
  }
  return -1;
}

void AddStoredToHistory(std::vector<std::string>& history, const std::string& text, const CaseFold& fold) {
  if (!text.empty() && FindInHistory(history, text, fold) < 0) history.push_back(text);
}

bool AddSearchToHistory(std::vector<std::string>& history, const std::string& text, const CaseFold& fold) {
  const int found = FindInHistory(history, text, fold);
  if (found == 0) return false;
  if (found > 0) {
    history.erase(history.begin() + found);
  } else if (history.size() >= FIND_HISTORY_SIZE) {
    history.erase(history.begin() + (FIND_HISTORY_SIZE - 1), history.end());
  }
  history.insert(history.begin(), text);
  return true;
}
