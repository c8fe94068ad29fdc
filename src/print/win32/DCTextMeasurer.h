#pragma once
#include <windows.h>

#include "print/TextMeasurer.h"

// Measures with the font selected into a device context.
class CDCTextMeasurer : public ITextMeasurer {
 public:
  explicit CDCTextMeasurer(HDC d) : dc(d) {}
  FontMetrics Metrics() override;
  void CharWidths(int widths[256]) override;
  int TabbedTextWidth(std::string_view text, int tabStop) override;
  int TextWidth(std::string_view text) override;
  bool IsLeadByte(unsigned char c) override { return IsDBCSLeadByte(c) != FALSE; }

 private:
  HDC dc;
};
