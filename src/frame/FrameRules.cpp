#include "frame/FrameRules.h"

WindowRect StoredWindowRect(const Settings& settings) {
  return {settings.noteX, settings.noteY, settings.noteX + settings.noteCX,
          settings.noteY + settings.noteCY};
}

void RecordWindowRect(Settings& settings, const WindowRect& rect, bool minimised) {
  if (minimised) return;
  settings.noteX = rect.left;
  settings.noteY = rect.top;
  settings.noteCX = rect.right - rect.left;
  settings.noteCY = rect.bottom - rect.top;
}
