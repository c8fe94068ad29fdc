#pragma once
#include <string_view>

#include "print/TextMeasurer.h"

// A fixed-width font: every character 10 units wide, tabs to the next
// multiple of the stop (default 8 characters). With `dbcs`, bytes from 0x81
// on lead a double-byte character 20 units wide.
class FakeTextMeasurer : public ITextMeasurer {
 public:
  FontMetrics Metrics() override { return font; }
  void CharWidths(int widths[256]) override {
    for (int i = 0; i < 256; ++i) widths[i] = CHAR_WIDTH;
  }
  int TabbedTextWidth(std::string_view text, int tabStop) override {
    const int stop = tabStop > 0 ? tabStop : 8 * font.averageCharWidth;
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\t') {
        x = (x / stop + 1) * stop;
      } else if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
        x += 2 * CHAR_WIDTH;
        ++i;
      } else {
        x += CHAR_WIDTH;
      }
    }
    return x;
  }
  int TextWidth(std::string_view text) override {
    return static_cast<int>(text.size()) * CHAR_WIDTH;
  }
  bool IsLeadByte(unsigned char c) override { return dbcs && c >= 0x81; }

  static constexpr int CHAR_WIDTH = 10;
  FontMetrics font{20, 5, CHAR_WIDTH};  // lines 25 high
  bool dbcs = false;
};
