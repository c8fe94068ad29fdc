#include "print/win32/DCTextMeasurer.h"

FontMetrics CDCTextMeasurer::Metrics() {
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return {tm.tmHeight, tm.tmExternalLeading, tm.tmAveCharWidth};
}

void CDCTextMeasurer::CharWidths(int widths[256]) {
  if (!GetCharWidthA(dc, 0, 255, widths)) {
    for (int i = 0; i < 256; ++i) widths[i] = 0;
  }
}

int CDCTextMeasurer::TabbedTextWidth(std::string_view text, int tabStop) {
  if (text.empty()) return 0;
  INT stop = tabStop;
  const DWORD size = GetTabbedTextExtentA(dc, text.data(), static_cast<int>(text.size()), tabStop > 0 ? 1 : 0,
                                          tabStop > 0 ? &stop : nullptr);
  return LOWORD(size);
}

int CDCTextMeasurer::TextWidth(std::string_view text) {
  SIZE size{};
  if (text.empty() || !GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size)) return 0;
  return size.cx;
}
