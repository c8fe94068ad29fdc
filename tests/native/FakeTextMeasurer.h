#pragma once
#include <algorithm>

#include "print/TextMeasurer.h"

// A fixed-width font, 10 units a character and rows 25 high; tabs go to the
// next multiple of the stop (default 8 characters). With `dbcs`, bytes from
// 0x81 lead a double-byte character 20 units wide.
class FakeTextMeasurer : public ITextMeasurer {
 public:
  FontMetrics Metrics() override { return font; }
  void CharWidths(int widths[256]) override { std::fill(widths, widths + 256, 10); }
  int TabbedTextWidth(std::string_view text, int tabStop) override {
    const int stop = tabStop > 0 ? tabStop : 80;
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool pair = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
      x = text[i] == '\t' ? (x / stop + 1) * stop : x + (pair ? 20 : 10);
      i += pair;
    }
    return x;
  }
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * 10; }
  bool IsLeadByte(unsigned char c) override { return dbcs && c >= 0x81; }

  FontMetrics font{20, 5, 10};
  bool dbcs = false;
};
