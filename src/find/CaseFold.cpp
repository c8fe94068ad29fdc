#include "find/CaseFold.h"

CaseFold AsciiCaseFold() {
  CaseFold fold{};
  for (int b = 0; b < 256; ++b) {
    fold.lower[b] = static_cast<uint8_t>(b >= 'A' && b <= 'Z' ? b + ('a' - 'A') : b);
    fold.leadByte[b] = false;
  }
  fold.doubleByte = false;
  return fold;
}
