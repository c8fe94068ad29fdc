#pragma once
// Notes-file images byte by byte: a 256-byte header, an index of 20-byte
// records (12 in the old layout), then the pool of zero-ended texts. Written
// from the file format rather than from the store's code, so that every tier
// compares what the program reads and writes with an independent picture.
// Portable: the native, Windows and end-to-end tests all build their files
// here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace image {

using Bytes = std::vector<unsigned char>;

constexpr uint32_t MAGIC = 0x4C51;  // 'Q', 'L', 0, 0
constexpr size_t HEADER_SIZE = 256;
constexpr uint32_t RECORD_SIZE = 20;

// One index record: created, modified, pool offset of the text, flags and
// reminder time.
struct Entry {
  int32_t created;
  int32_t modified;
  uint32_t text;
  uint32_t flags;
  int32_t reminderTime;
};

inline void PutU32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

inline void SetU32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

inline uint32_t ReadU32(const Bytes& b, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | b.at(at + i);
  return v;
}

inline Bytes Header(uint32_t noteCount, uint32_t entrySize = RECORD_SIZE,
                    uint32_t reminderCount = 0, uint32_t magic = MAGIC) {
  Bytes b;
  PutU32(b, magic);
  PutU32(b, 1);
  PutU32(b, noteCount);
  PutU32(b, entrySize);
  PutU32(b, reminderCount);
  b.resize(HEADER_SIZE, 0);
  return b;
}

// Appends a record `width` bytes wide: the old 12-byte layout stops after
// the text offset.
inline void Record(Bytes& b, uint32_t width, const Entry& e) {
  PutU32(b, static_cast<uint32_t>(e.created));
  PutU32(b, static_cast<uint32_t>(e.modified));
  PutU32(b, e.text);
  if (width == RECORD_SIZE) {
    PutU32(b, e.flags);
    PutU32(b, static_cast<uint32_t>(e.reminderTime));
  }
}

inline void Append(Bytes& b, const Bytes& bytes) { b.insert(b.end(), bytes.begin(), bytes.end()); }

// A pad of `texts` as the program saves it, without reminders.
inline Bytes NotesFileImage(const std::vector<std::string>& texts, int32_t created = 1700000000,
                            int32_t modified = 1700000000) {
  Bytes b = Header(static_cast<uint32_t>(texts.size()));
  uint32_t offset = 0;
  for (const std::string& t : texts) {
    Record(b, RECORD_SIZE, {created, modified, offset, 0, 0});
    offset += static_cast<uint32_t>(t.size()) + 1;
  }
  for (const std::string& t : texts) {
    b.insert(b.end(), t.begin(), t.end());
    b.push_back(0);
  }
  return b;
}

// The texts of a notes file in the current layout, in note order.
inline std::vector<std::string> NoteTexts(const Bytes& file) {
  std::vector<std::string> texts;
  const uint32_t count = ReadU32(file, 8);
  const size_t pool = HEADER_SIZE + size_t{RECORD_SIZE} * count;
  for (uint32_t i = 0; i < count; ++i) {
    size_t at = pool + ReadU32(file, HEADER_SIZE + size_t{RECORD_SIZE} * i + 8);
    std::string text;
    while (at < file.size() && file[at] != 0) text += static_cast<char>(file[at++]);
    texts.push_back(text);
  }
  return texts;
}

}  // namespace image
