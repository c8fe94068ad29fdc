#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "print/NoteLayout.h"

// Draws laid-out pages with the font and pen selected into `dc`.

// A note page: its lines, the box, the heading and footer with their rules.
void DrawNotePage(HDC dc, const NotePage& page, std::string_view text, const std::string& heading,
                  const std::string& footer);

// A line from (x1, y) to (x2, y).
void DrawRule(HDC dc, int x1, int x2, int y);
