#include "print/win32/PrintDrawing.h"

void DrawRule(HDC dc, int x1, int x2, int y) {
  MoveToEx(dc, x1, y, nullptr);
  LineTo(dc, x2, y);
}

void DrawNotePage(HDC dc, const NotePage& page, std::string_view text, const std::string& heading,
                  const std::string& footer) {
  INT tabStop = page.text.tabStop;
  for (const PrintedLine& line : page.text.lines)
    TabbedTextOutA(dc, line.x, line.y, text.data() + line.offset, static_cast<int>(line.length), 1, &tabStop,
                   line.x);
  const PrintRect& box = page.box;
  MoveToEx(dc, box.left, box.top, nullptr);
  LineTo(dc, box.right, box.top);
  LineTo(dc, box.right, box.bottom);
  LineTo(dc, box.left, box.bottom);
  LineTo(dc, box.left, box.top);
  DrawRule(dc, box.left, box.right, page.headingRuleY);
  TextOutA(dc, page.headingX, page.headingY, heading.data(), static_cast<int>(heading.size()));
  DrawRule(dc, box.left, box.right, page.footerRuleY);
  TextOutA(dc, page.footerX, page.footerY, footer.data(), static_cast<int>(footer.size()));
}
