#pragma once
#include <cstdint>

// How the locale's code page folds case, one byte at a time, and which bytes
// begin a double-byte character. A search compares folded bytes and never
// lets a match begin on the second byte of a double-byte character.
struct CaseFold {
  uint8_t lower[256];
  bool leadByte[256];
  bool doubleByte;  // some byte is a lead byte
};

// ASCII letters only, no double-byte characters: the code page of tests
// and of any locale the system cannot describe.
CaseFold AsciiCaseFold();
