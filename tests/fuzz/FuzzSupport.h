#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "store/NoteStore.h"

// A failed check aborts, which libFuzzer reports as a crash with its input.
#define FUZZ_CHECK(condition)                                                        \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

// Hands out the input a byte at a time; zeros once it is used up.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool More() const { return pos_ < size_; }
  uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint32_t Word() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{Byte()} << (8 * i);
    return v;
  }
  // Up to `n` raw bytes.
  std::string Bytes(size_t n) {
    n = std::min(n, size_ - pos_);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Whether `size` bytes are all zero; memcmp is not instrumented byte by
// byte, so long stretches stay cheap.
inline bool AllZero(const void* data, size_t size) {
  static const char zeros[65536] = {};
  const char* p = static_cast<const char*>(data);
  for (size_t at = 0; at < size; at += sizeof zeros) {
    if (std::memcmp(p + at, zeros, std::min(sizeof zeros, size - at)) != 0) return false;
  }
  return true;
}

// A store allocated once per process: the pool is too large to obtain per run.
inline NoteStore& FuzzStore(int which) {
  static NoteStore stores[2];
  static bool ready[2] = {false, false};
  if (!ready[which]) {
    FUZZ_CHECK(stores[which].Allocate());
    ready[which] = true;
  }
  return stores[which];
}

// The store's invariants. `touched`: no pool byte at or past it was ever
// written, so the zero check past the used part stops there.
inline void CheckStoreInvariants(const NoteStore& store, uint32_t touched) {
  const uint32_t count = store.header.noteCount;
  FUZZ_CHECK(store.header.magic == NOTES_FILE_MAGIC);
  FUZZ_CHECK(count <= MAX_NOTES);
  uint32_t at = 0;
  uint32_t active = 0;
  for (uint32_t i = 1; i <= count; ++i) {
    FUZZ_CHECK(store.Entry(i).text == at);
    const void* end = std::memchr(store.pool + at, 0, POOL_CAPACITY - at);
    FUZZ_CHECK(end != nullptr);
    at = static_cast<uint32_t>(static_cast<const char*>(end) - store.pool) + 1;
    if (store.Entry(i).flags & REMINDER_ACTIVE) ++active;
  }
  FUZZ_CHECK(at < POOL_CAPACITY);
  FUZZ_CHECK(store.UsedPoolBytes() == at);
  FUZZ_CHECK(store.poolHighWater == at);
  const NoteEntry& slot = store.Entry(count + 1);
  FUZZ_CHECK(slot.text == at && slot.flags == 0);
  const uint32_t top = std::min(std::max(touched, at), POOL_CAPACITY);
  FUZZ_CHECK(AllZero(store.pool + at, top - at));
  FUZZ_CHECK(store.header.reminderCount == active);
  FUZZ_CHECK(store.currentNote >= 1 && store.currentNote <= count + 1);
}
