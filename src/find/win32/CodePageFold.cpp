#include "find/win32/CodePageFold.h"

#include <windows.h>

CaseFold CodePageCaseFold() {
  CaseFold fold{};
  fold.doubleByte = false;
  for (int b = 0; b < 256; ++b) {
    const BYTE byte = static_cast<BYTE>(b);
    fold.leadByte[b] = IsDBCSLeadByte(byte) != FALSE;
    fold.doubleByte = fold.doubleByte || fold.leadByte[b];
    char c = static_cast<char>(byte);
    // A lead byte alone is no character to fold.
    if (!fold.leadByte[b]) CharLowerBuffA(&c, 1);
    fold.lower[b] = static_cast<uint8_t>(c);
  }
  return fold;
}
