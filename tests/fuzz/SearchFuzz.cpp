// Bytes as a pad of notes with any bytes in them, a search text, its options
// and the place the user searches from. A match lies inside its note's text,
// equals the search text as folded, passes the whole-word test and never
// starts on the second byte of a double-byte character; with a single-byte
// code page, a search from the dialog finds nothing only when no note holds
// the text.
#include <algorithm>
#include <string>

#include "FuzzSupport.h"
#include "document/NoteEdits.h"
#include "find/NoteSearch.h"

namespace {

std::string NoteBytes(FuzzInput& in) {
  const uint8_t length = in.Byte();
  // Now and then long enough for the scan that takes sixteen places at a time.
  std::string text = length == 255 ? std::string(size_t{in.Byte()} * 97 + 1, 'a') + in.Bytes(40)
                                   : in.Bytes(length % 48);
  std::replace(text.begin(), text.end(), '\0', ' ');
  return text;
}

bool WordByte(uint8_t b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9');
}

// Whether `at` begins a character of `text` under `fold`.
bool StartsCharacter(const std::string& text, size_t at, const CaseFold& fold) {
  size_t i = 0;
  while (i < at) i += fold.leadByte[static_cast<uint8_t>(text[i])] && i + 1 < text.size() ? 2 : 1;
  return i == at;
}

bool FoldedAt(const std::string& text, size_t at, const std::string& needle, const CaseFold& fold) {
  for (size_t i = 0; i < needle.size(); ++i) {
    if (fold.lower[static_cast<uint8_t>(text[at + i])] != fold.lower[static_cast<uint8_t>(needle[i])] &&
        text[at + i] != needle[i])
      return false;
  }
  return true;
}

bool ValidAt(const std::string& text, size_t at, const std::string& needle, const FindState& s,
             const CaseFold& fold) {
  if (at + needle.size() > text.size()) return false;
  if (s.findIgnoreCase ? !FoldedAt(text, at, needle, fold) : text.compare(at, needle.size(), needle) != 0)
    return false;
  if (fold.doubleByte && !StartsCharacter(text, at, fold)) return false;
  if (!s.findWholeWords) return true;
  const bool before = at > 0 && WordByte(static_cast<uint8_t>(text[at - 1]));
  const size_t end = at + needle.size();
  const bool after = end < text.size() && WordByte(static_cast<uint8_t>(text[end]));
  return !before && !after;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  NoteStore& store = FuzzStore(0);
  store.ResetToEmptyPad();
  const uint32_t count = in.Byte() % 9;
  for (uint32_t n = 1; n <= count; ++n) {
    const std::string text = NoteBytes(in);
    FUZZ_CHECK(PlaceNote(store, n, text.c_str(), static_cast<uint32_t>(text.size()), NoteEntry{}));
  }
  std::string needle = in.Bytes(in.Byte() % 6 + 1);
  std::replace(needle.begin(), needle.end(), '\0', 'a');
  if (needle.empty()) return 0;  // the dialog never searches for nothing

  CaseFold fold = AsciiCaseFold();
  const uint8_t options = in.Byte();
  if (options & 0x80) {  // a double-byte code page with some lead bytes
    const uint8_t first = static_cast<uint8_t>(0x81 + in.Byte() % 0x40);
    for (int b = first; b < std::min(first + 24, 0xFF); ++b) fold.leadByte[b] = true;
    fold.doubleByte = true;
  }
  FindRequest request{needle, (options & 1) != 0, (options & 2) != 0, (options & 4) != 0,
                      (options >> 3) & 3};
  FindState state;
  for (int search = 0; search < 4 && (search == 0 || in.More()); ++search) {
    const FindPlace place{1 + in.Word() % (count + 1), in.Word() % 70000, (options & 0x20) != 0};
    const FindMatch m = LocateMatch(store, state, search == 0 ? &request : nullptr, place, fold);
    if (m.found) {
      FUZZ_CHECK(m.note >= 1 && m.note <= count);
      FUZZ_CHECK(m.length == needle.size());
      const std::string text = store.Text(store.Entry(m.note));
      FUZZ_CHECK(ValidAt(text, m.offset, needle, state, fold));
    } else if (search == 0 && !fold.doubleByte) {
      for (uint32_t n = 1; n <= count; ++n) {
        const std::string text = store.Text(store.Entry(n));
        for (size_t at = 0; at < text.size(); ++at) FUZZ_CHECK(!ValidAt(text, at, needle, state, fold));
      }
    }
  }
  return 0;
}
