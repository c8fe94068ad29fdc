#pragma once
#include <string_view>

// What page layout needs to know about the printer's font. The Win32 side
// answers from a printer device context with the selected font.

struct FontMetrics {
  int height = 0;            // tmHeight
  int externalLeading = 0;   // tmExternalLeading
  int averageCharWidth = 0;  // tmAveCharWidth
};

// A rectangle in device units; `right` and `bottom` lie outside it.
struct PrintRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

class ITextMeasurer {
 public:
  virtual ~ITextMeasurer() = default;
  virtual FontMetrics Metrics() = 0;
  // The advance widths of the characters 0 to 255 (GetCharWidthA).
  virtual void CharWidths(int widths[256]) = 0;
  // Width of the text with tabs advancing to the next multiple of
  // `tabStop`, or to the font's default stops when `tabStop` is 0
  // (GetTabbedTextExtentA).
  virtual int TabbedTextWidth(std::string_view text, int tabStop) = 0;
  // Width of the text without tab expansion (GetTextExtentPoint32A).
  virtual int TextWidth(std::string_view text) = 0;
  // True for the first byte of a double-byte character (IsDBCSLeadByte).
  virtual bool IsLeadByte(unsigned char c) = 0;
};
