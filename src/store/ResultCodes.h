#pragma once
#include <cstdint>

// 0 for success, a Windows system error code, or one of the program's own
// codes, which all have bit 29 set and so never collide with system codes.
using Result = uint32_t;

constexpr Result RESULT_OK = 0;
constexpr Result NOTES_FILE_DAMAGED = 0x20000000;
constexpr Result NOTE_EMPTY = 0x20000002;
constexpr Result NOTE_NOT_STORED = 0x20000003;
// A well-formed notes file with more notes than MAX_NOTES.
constexpr Result NOTES_FILE_TOO_MANY_NOTES = 0x20000004;

constexpr bool IsProgramCode(Result r) { return (r & 0x20000000) != 0; }

// System error codes the program tells apart (same numbers as winerror.h).
constexpr Result SYSERR_FILE_NOT_FOUND = 2;
constexpr Result SYSERR_PATH_NOT_FOUND = 3;
constexpr Result SYSERR_ACCESS_DENIED = 5;
constexpr Result SYSERR_SHARING_VIOLATION = 32;
constexpr Result SYSERR_FILE_EXISTS = 80;
constexpr Result SYSERR_ALREADY_EXISTS = 183;
