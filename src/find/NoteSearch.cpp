#include "find/NoteSearch.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr uint32_t NONE = UINT32_MAX;

struct NoteText {
  const uint8_t* bytes;
  uint32_t length;
};

// A note's text ends at its zero byte, which lies before the next note's
// text; nothing past that is ever read.
NoteText TextOf(const NoteStore& store, uint32_t number) {
  const NoteEntry& entry = store.Entry(number);
  if (entry.text >= POOL_CAPACITY) return {nullptr, 0};
  uint32_t room = POOL_CAPACITY - entry.text;
  if (number < store.header.noteCount) {
    const uint32_t next = store.Entry(number + 1).text;
    if (next > entry.text) room = std::min(room, next - entry.text);
  }
  const char* text = store.Text(entry);
  return {reinterpret_cast<const uint8_t*>(text), static_cast<uint32_t>(strnlen(text, room))};
}

bool IsWordByte(uint8_t b) {
  return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9');
}

// The search text, prepared once per search. Candidates come from a scan
// with every byte folded (the case ignored) or none, which never misses a
// match; the code page's double-byte rules then check each one.
class CPattern {
 public:
  CPattern(const std::string& text, bool ignore, bool whole, const CaseFold& caseFold)
      : ignoreCase(ignore), wholeWords(whole), fold(caseFold), length(static_cast<uint32_t>(text.size())) {
    for (int b = 0; b < 256; ++b) identity[b] = static_cast<uint8_t>(b);
    lower = ignoreCase ? fold.lower : identity;
    needle.assign(text.begin(), text.end());
    scanned = needle;
    for (uint8_t& b : scanned) b = lower[b];
    uint32_t folded[256];
    std::fill(std::begin(folded), std::end(folded), length);
    for (uint32_t i = 0; i + 1 < length; ++i) folded[scanned[i]] = length - 1 - i;
    for (int b = 0; b < 256; ++b) shift[b] = folded[lower[b]];
#if defined(__SSE2__)
    vectorScan = length > 0 && RawBytes(scanned[0], firstBytes, firstCount) &&
                 RawBytes(scanned[length - 1], lastBytes, lastCount);
#endif
    if (!ignoreCase) return;
    // The search text folds by characters: a double-byte character stays.
    for (uint32_t i = 0; i < length; ++i) {
      if (fold.leadByte[needle[i]] && i + 1 < length) {
        ++i;
      } else {
        needle[i] = fold.lower[needle[i]];
      }
    }
  }

  // The first match that begins in [from, before).
  uint32_t First(NoteText t, uint32_t from, uint32_t before) const {
    uint32_t boundary = 0;
    for (uint32_t p = Candidate(t, from, before); p != NONE; p = Candidate(t, p + 1, before)) {
      if (Accept(t, p, boundary)) return p;
    }
    return NONE;
  }

  // The last match that begins in [from, upTo].
  uint32_t Last(NoteText t, uint32_t from, uint32_t upTo) const {
    uint32_t boundary = 0, last = NONE;
    const uint32_t before = upTo == NONE ? NONE : upTo + 1;
    for (uint32_t p = Candidate(t, from, before); p != NONE; p = Candidate(t, p + 1, before)) {
      if (Accept(t, p, boundary)) last = p;
    }
    return last;
  }

 private:
  // The first place in [from, before) where the bytes match, every byte
  // folded when the case is ignored.
  uint32_t Candidate(NoteText t, uint32_t from, uint32_t before) const {
    if (length == 0 || length > t.length) return NONE;
    const uint32_t lastStart = std::min(t.length - length, before == 0 ? 0 : before - 1);
    if (before == 0 || from > lastStart) return NONE;
    uint32_t p = from;
#if defined(__SSE2__)
    // Sixteen starting places at a time whose first and last bytes fit;
    // every load lies inside the text.
    while (vectorScan && p + 15 <= lastStart) {
      const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.bytes + p));
      const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.bytes + p + length - 1));
      unsigned mask = static_cast<unsigned>(
          _mm_movemask_epi8(_mm_and_si128(AnyOf(head, firstBytes, firstCount), AnyOf(tail, lastBytes, lastCount))));
      for (; mask != 0; mask &= mask - 1) {
        const uint32_t q = p + static_cast<uint32_t>(__builtin_ctz(mask));
        if (SameBytes(t, q)) return q;
      }
      p += 16;
    }
#endif
    // Horspool over folded bytes: the shift table is indexed by raw bytes.
    const uint8_t end = scanned[length - 1];
    while (p <= lastStart) {
      const uint8_t last = t.bytes[p + length - 1];
      if (lower[last] == end) {
        uint32_t i = 0;
        while (i + 1 < length && lower[t.bytes[p + i]] == scanned[i]) ++i;
        if (i + 1 >= length) return p;
      }
      p += shift[last];
    }
    return NONE;
  }

  bool SameBytes(NoteText t, uint32_t p) const {
    for (uint32_t i = 0; i < length; ++i) {
      if (lower[t.bytes[p + i]] != scanned[i]) return false;
    }
    return true;
  }

#if defined(__SSE2__)
  // The raw bytes that fold to `target`, as comparands; false when too many.
  bool RawBytes(uint8_t target, __m128i* bytes, int& count) const {
    count = 0;
    for (int b = 0; b < 256; ++b) {
      if (lower[b] != target) continue;
      if (count == MAX_RAW) return false;
      bytes[count++] = _mm_set1_epi8(static_cast<char>(b));
    }
    return true;
  }
  static __m128i AnyOf(__m128i block, const __m128i* bytes, int count) {
    __m128i any = _mm_cmpeq_epi8(block, bytes[0]);
    for (int i = 1; i < count; ++i) any = _mm_or_si128(any, _mm_cmpeq_epi8(block, bytes[i]));
    return any;
  }
#endif

  // `boundary`: a character start at or before p, carried from the last call.
  bool Accept(NoteText t, uint32_t p, uint32_t& boundary) const {
    if (fold.doubleByte) {
      while (boundary < p) boundary += fold.leadByte[t.bytes[boundary]] && boundary + 1 < t.length ? 2 : 1;
      if (boundary != p) return false;
      if (ignoreCase && !SameCharacters(t, p)) return false;
    }
    if (!wholeWords) return true;
    const uint8_t before = p == 0 ? ' ' : t.bytes[p - 1];
    const bool afterIsWord = p + length < t.length && IsWordByte(t.bytes[p + length]);
    return !IsWordByte(before) && !afterIsWord;
  }

  // Folds the text at p by characters, as the search text was.
  bool SameCharacters(NoteText t, uint32_t p) const {
    for (uint32_t i = 0; i < length; ++i) {
      const uint8_t b = t.bytes[p + i];
      if (fold.leadByte[b] && p + i + 1 < t.length) {
        if (b != needle[i] || (i + 1 < length && t.bytes[p + i + 1] != needle[i + 1])) return false;
        ++i;
      } else if (fold.lower[b] != needle[i]) {
        return false;
      }
    }
    return true;
  }

  const bool ignoreCase;
  const bool wholeWords;
  const CaseFold& fold;
  const uint32_t length;
  std::basic_string<uint8_t> needle;   // as typed, or folded by characters
  std::basic_string<uint8_t> scanned;  // every byte folded, for the scan
  uint8_t identity[256];
  const uint8_t* lower;
  uint32_t shift[256] = {};
#if defined(__SSE2__)
  static constexpr int MAX_RAW = 4;
  bool vectorScan = false;
  __m128i firstBytes[MAX_RAW], lastBytes[MAX_RAW];
  int firstCount = 0, lastCount = 0;
#endif
};

}  // namespace

FindMatch LocateMatch(const NoteStore& store, FindState& state, const FindRequest* request,
                      const FindPlace& place, const CaseFold& fold) {
  if (request != nullptr) {
    state.findText = request->text;
    state.findWholeWords = request->wholeWords;
    state.findIgnoreCase = request->ignoreCase;
    state.findDirection = request->direction;
    state.findOnePerNote = request->onePerNote || place.listView;
    state.findBackward = request->direction == FIND_BACKWARD || request->direction == FIND_FROM_LAST;
  }
  const uint32_t count = store.header.noteCount;
  if (count == 0 || state.findText.empty()) return {};
  const bool backward = state.findBackward;
  const auto step = [count, backward](uint32_t n) {
    if (backward) return n == 1 ? count : n - 1;
    return n == count ? 1 : n + 1;
  };
  const auto lengthOf = [&store](uint32_t n) { return TextOf(store, n).length; };

  // The new-note slot comes after the last note.
  const bool inSlot = place.currentNote < 1 || place.currentNote > count;
  uint32_t start = inSlot ? (backward ? count : 1) : place.currentNote;
  uint32_t pos = inSlot ? (backward ? lengthOf(count) : 0) : place.listView ? 0 : place.selectionStart;
  const int direction = request != nullptr ? state.findDirection : -1;
  if (direction == FIND_FROM_FIRST) {
    start = 1;
    pos = 0;
  } else if (direction == FIND_FROM_LAST) {
    start = count;
    pos = lengthOf(count);
  } else if (request == nullptr && state.findOnePerNote) {
    if (!inSlot) start = step(start);
  } else if (request == nullptr && !inSlot && !backward && pos < lengthOf(start)) {
    ++pos;  // past the match under the selection
  }
  // The selection may lie beyond the stored text.
  pos = std::min(pos, lengthOf(start));

  CPattern pattern(state.findText, state.findIgnoreCase, state.findWholeWords, fold);
  const uint32_t length = static_cast<uint32_t>(state.findText.size());
  if (state.findOnePerNote) {
    uint32_t note = start;
    do {
      const uint32_t p = pattern.First(TextOf(store, note), 0, NONE);
      if (p != NONE) return {true, note, p, length};
      note = step(note);
    } while (note != start);
    return {};
  }

  if (backward) {
    if (pos > 0) {
      --pos;
    } else {
      start = step(start);
      pos = lengthOf(start);
    }
  }
  const uint32_t startPos = pos;
  uint32_t note = start;
  bool wrapped = false;
  for (;;) {
    const NoteText text = TextOf(store, note);
    const uint32_t p = backward ? pattern.Last(text, wrapped ? startPos + 1 : 0, pos)
                                : pattern.First(text, pos, wrapped ? startPos : NONE);
    if (p != NONE) return {true, note, p, length};
    if (wrapped) return {};
    note = step(note);
    pos = backward ? lengthOf(note) : 0;
    if (note == start) wrapped = true;
  }
}

CNoteFinder::CNoteFinder(const NoteStore& s, IFindWindows& w, const CaseFold& f) : store(s), windows(w), fold(f) {}

bool CNoteFinder::Commit() {
  const bool inSlot = store.currentNote > store.header.noteCount;
  const Result result = windows.CommitCurrentNote();
  fromSlot = inSlot && result == NOTE_EMPTY;
  return result != NOTE_NOT_STORED;
}

FindPlace CNoteFinder::Place() const {
  FindPlace place;
  place.currentNote = fromSlot ? store.header.noteCount + 1 : store.currentNote;
  place.listView = windows.InListView();
  place.selectionStart = place.listView ? 0 : windows.SelectionStart();
  return place;
}

bool CNoteFinder::BeginFind() { return Commit() && store.header.noteCount > 0; }

bool CNoteFinder::SearchNotes(const FindRequest& request) {
  const FindMatch match = LocateMatch(store, state, &request, Place(), fold);
  if (!match.found) {
    windows.ShowNotFound(state.findText);
    return false;
  }
  fromSlot = false;
  windows.ShowMatch(match.note, match.offset, match.length);
  state.lastFoundNote = match.note;
  state.lastFoundPos = match.offset;
  return true;
}

void CNoteFinder::FindNext() {
  // The selection must belong to the stored text the search reads.
  if (!Commit()) return;
  if (store.header.noteCount == 0 || state.findText.empty()) {
    windows.Beep();
    return;
  }
  const FindMatch match = LocateMatch(store, state, nullptr, Place(), fold);
  fromSlot = false;
  if (!match.found) {
    windows.ShowNotFound(state.findText);
    windows.Beep();
    return;
  }
  windows.ShowMatch(match.note, match.offset, match.length);
  if (match.note == state.lastFoundNote && match.offset == state.lastFoundPos) {
    windows.Beep();  // no other match
    return;
  }
  state.lastFoundNote = match.note;
  state.lastFoundPos = match.offset;
}
