#include "frame/FrameRules.h"

#include <algorithm>
#include <cstdint>

namespace {

// Stored values are not range-checked: a far edge past the int32 range stops
// at its end.
int32_t FarEdge(int32_t start, int32_t length) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{start} + length, INT32_MIN, INT32_MAX));
}

// 64-bit: stored values may be anything, and their sums must not overflow.
struct Span {
  int64_t low;
  int64_t high;
  int64_t Length() const { return std::max<int64_t>(0, high - low); }
};

Span Overlap(int64_t aLow, int64_t aHigh, int64_t bLow, int64_t bHigh) {
  return {std::max(aLow, bLow), std::min(aHigh, bHigh)};
}

int64_t OverlapArea(const WindowRect& a, const WindowRect& b) {
  return Overlap(a.left, a.right, b.left, b.right).Length() * Overlap(a.top, a.bottom, b.top, b.bottom).Length();
}

// Distance of the gap between two spans, 0 when they touch or overlap.
int64_t Gap(int64_t aLow, int64_t aHigh, int64_t bLow, int64_t bHigh) {
  return std::max<int64_t>({0, bLow - aHigh, aLow - bHigh});
}

double GapSquared(const WindowRect& a, const WindowRect& b) {
  const double dx = static_cast<double>(Gap(a.left, a.right, b.left, b.right));
  const double dy = static_cast<double>(Gap(a.top, a.bottom, b.top, b.bottom));
  return dx * dx + dy * dy;
}

bool TitleReachable(const WindowRect& w, const WindowRect& area) {
  const Span across = Overlap(w.left, w.right, area.left, area.right);
  const Span down = Overlap(w.top, int64_t{w.top} + TITLE_GRIP, area.top, area.bottom);
  return across.Length() >= TITLE_GRIP && down.Length() >= TITLE_GRIP / 2;
}

// Places a length inside [low, high), shrinking it when it is longer.
void Fit(int64_t start, int64_t length, int32_t low, int32_t high, int32_t& outStart, int32_t& outEnd) {
  length = std::min<int64_t>(length, int64_t{high} - low);
  start = std::clamp<int64_t>(start, low, int64_t{high} - length);
  outStart = static_cast<int32_t>(start);
  outEnd = static_cast<int32_t>(start + length);
}

}  // namespace

WindowRect StoredWindowRect(const Settings& settings) {
  return {settings.noteX, settings.noteY, FarEdge(settings.noteX, settings.noteCX),
          FarEdge(settings.noteY, settings.noteCY)};
}

void RecordWindowRect(Settings& settings, const WindowRect& rect, bool minimised, bool maximised) {
  if (minimised) return;
  settings.noteMaximized = maximised ? 1 : 0;
  // The maximised rectangle is the monitor's; the one to restore is kept.
  if (maximised) return;
  settings.noteX = rect.left;
  settings.noteY = rect.top;
  settings.noteCX = rect.right - rect.left;
  settings.noteCY = rect.bottom - rect.top;
}

WindowRect OnScreenWindowRect(const WindowRect& stored, const std::vector<WindowRect>& workAreas) {
  const WindowRect* home = nullptr;
  int64_t bestArea = -1;
  double bestGap = 0;
  for (const WindowRect& area : workAreas) {
    if (area.right <= area.left || area.bottom <= area.top) continue;
    const int64_t overlap = OverlapArea(stored, area);
    const double gap = GapSquared(stored, area);
    if (overlap > bestArea || (overlap == 0 && bestArea == 0 && gap < bestGap)) {
      home = &area;
      bestArea = overlap;
      bestGap = gap;
    }
  }
  if (home == nullptr) return stored;
  const int64_t width = std::max<int64_t>(0, int64_t{stored.right} - stored.left);
  const int64_t height = std::max<int64_t>(0, int64_t{stored.bottom} - stored.top);
  const bool fits = width <= int64_t{home->right} - home->left && height <= int64_t{home->bottom} - home->top;
  const bool reachable = std::any_of(workAreas.begin(), workAreas.end(),
                                     [&](const WindowRect& area) { return TitleReachable(stored, area); });
  if (fits && reachable) return stored;
  WindowRect placed{};
  Fit(stored.left, width, home->left, home->right, placed.left, placed.right);
  Fit(stored.top, height, home->top, home->bottom, placed.top, placed.bottom);
  return placed;
}
