// Loading and saving a full pad, each next to the plain file operation on the
// same bytes, deleting every other note of a full index next to a plain
// compaction of the same bytes, and searching all notes of a full pad next
// to a plain byte scan of the same bytes, measured in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "PosixFileSystem.h"
#include "document/NoteEdits.h"
#include "find/NoteSearch.h"
#include "store/NotesFile.h"

namespace {

constexpr uint32_t PAD_NOTES = 10000;
constexpr uint32_t PAD_TEXT_MIN = 8u * 1024 * 1024;
constexpr size_t PAGE_SIZE = 4096;
// Only in the last note: the random lower-case text holds no digit.
constexpr char FIND_TEXT[] = "Marker 7";

// Zeroed bytes on a page boundary.
class Buffer {
 public:
  Buffer() = default;
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  ~Buffer() { std::free(bytes); }
  bool Allocate(size_t n) {
    bytes = static_cast<char*>(std::aligned_alloc(PAGE_SIZE, (n + PAGE_SIZE - 1) / PAGE_SIZE * PAGE_SIZE));
    if (bytes) std::memset(bytes, 0, n);
    length = n;
    return bytes != nullptr;
  }
  char* data() { return bytes; }
  size_t size() const { return length; }

 private:
  char* bytes = nullptr;
  size_t length = 0;
};

struct Pad {
  std::string folder, path, floorPath;
  NoteStore store;
  Settings settings;
  CPosixFileSystem files;
  NotesFileContext ctx{store, settings, files, [] { return int32_t{1000}; }, [](uint32_t) {}};
  // The floors' buffers start on a page, as a fast plain read or write
  // would: a source 16 bytes off the page-cache pages' alignment makes the
  // kernel's copy several times slower.
  Buffer image;   // the file's bytes, for the floor
  Buffer buffer;  // where the floor reads them

  // Builds a full pad of note-like texts and writes it once.
  bool Make() {
    char pattern[] = "/tmp/quillery-bench-XXXXXX";
    if (!mkdtemp(pattern) || !store.Allocate()) return false;
    folder = pattern;
    path = folder + "/Quillery.dat";
    floorPath = folder + "/Floor.dat";
    settings.curFile = path;

    store.ResetToEmptyPad();
    uint32_t seed = 12345, used = 0;
    for (uint32_t n = 1; n <= PAD_NOTES; ++n) {
      seed = seed * 1103515245 + 12345;
      uint32_t length = 400 + (seed >> 8) % 1000;
      NoteEntry& e = store.Entry(n);
      e = NoteEntry{int32_t(n), int32_t(n), used, 0, 0};
      for (uint32_t i = 0; i < length; ++i) {
        seed = seed * 1103515245 + 12345;
        store.pool[used++] = i % 64 == 62 ? '\r' : i % 64 == 63 ? '\n' : char('a' + (seed >> 16) % 26);
      }
      store.pool[used++] = 0;
    }
    store.header.noteCount = PAD_NOTES;
    store.poolHighWater = used;
    const std::string marker = std::string(" ") + FIND_TEXT + " ";
    std::memcpy(store.Text(store.Entry(PAD_NOTES)) + 100, marker.data(), marker.size());
    if (used < PAD_TEXT_MIN || WriteNotesFile(ctx) != RESULT_OK) return false;

    const size_t size = NOTES_FILE_HEADER_SIZE + PAD_NOTES * NOTE_ENTRY_SIZE + used;
    if (!image.Allocate(size) || !buffer.Allocate(size)) return false;
    FILE* f = std::fopen(path.c_str(), "rb");
    bool ok = f && std::fread(image.data(), 1, image.size(), f) == image.size();
    if (f) std::fclose(f);
    return ok;
  }

  void Remove() {
    unlink(path.c_str());
    unlink(floorPath.c_str());
    rmdir(folder.c_str());
  }
};

Pad* pad = nullptr;

// A store with every index entry used, and a copy of its bytes to start
// each deletion from.
struct FullIndex {
  NoteStore store;
  std::vector<char> pool;
  std::vector<NoteEntry> entries;
  NotesFileHeader header{};
  std::vector<uint32_t> everyOther;  // 1, 3, 5, ...

  bool Make() {
    if (!store.Allocate()) return false;
    store.ResetToEmptyPad();
    uint32_t seed = 54321, used = 0;
    for (uint32_t n = 1; n <= MAX_NOTES; ++n) {
      seed = seed * 1103515245 + 12345;
      const uint32_t length = 400 + (seed >> 8) % 1000;
      store.Entry(n) = NoteEntry{int32_t(n), int32_t(n), used, n % 5 == 0 ? REMINDER_ACTIVE : 0u, 0};
      std::memset(store.pool + used, 'a' + n % 26, length);
      used += length + 1;
      if (n % 2 == 1) everyOther.push_back(n);
    }
    store.header = NotesFileHeader{NOTES_FILE_MAGIC, 1, MAX_NOTES, NOTE_ENTRY_SIZE, MAX_NOTES / 5};
    store.Entry(MAX_NOTES + 1) = NoteEntry{0, 0, used, 0, 0};
    store.poolHighWater = used;
    pool.assign(store.pool, store.pool + used);
    entries.assign(store.entries, store.entries + MAX_NOTES + 1);
    header = store.header;
    return used < POOL_CAPACITY;
  }

  void Restore() {
    std::memcpy(store.pool, pool.data(), pool.size());
    std::memcpy(store.entries, entries.data(), entries.size() * sizeof(NoteEntry));
    store.header = header;
    store.poolHighWater = static_cast<uint32_t>(pool.size());
  }
};

FullIndex* fullIndex = nullptr;

void BM_Load(benchmark::State& state) {
  for (auto _ : state) {
    if (ReadNotesFile(pad->ctx, pad->path) != RESULT_OK) state.SkipWithError("read failed");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pad->image.size()));
}

void BM_LoadFloor(benchmark::State& state) {
  for (auto _ : state) {
    int fd = open(pad->path.c_str(), O_RDONLY);
    size_t got = 0;
    ssize_t n = 0;
    while ((n = read(fd, pad->buffer.data() + got, pad->buffer.size() - got)) > 0) got += size_t(n);
    close(fd);
    if (got != pad->buffer.size()) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(pad->buffer.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pad->image.size()));
}

void BM_Save(benchmark::State& state) {
  for (auto _ : state) {
    pad->store.dirty = true;
    if (WriteNotesFile(pad->ctx) != RESULT_OK) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pad->image.size()));
}

// The same bytes with the same durability: a temporary file, flushed, renamed.
void BM_SaveFloor(benchmark::State& state) {
  const std::string temp = pad->floorPath + ".tmp";
  for (auto _ : state) {
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = fd >= 0 &&
              CPosixFileSystem::WriteAll(fd, pad->image.data(), pad->image.size()) == RESULT_OK &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok && rename(temp.c_str(), pad->floorPath.c_str()) == 0;
    if (!ok) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(pad->image.size()));
}

void BM_DeleteEveryOther(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    fullIndex->Restore();
    state.ResumeTiming();
    RemoveNotes(fullIndex->store, fullIndex->everyOther);
    if (fullIndex->store.header.noteCount != MAX_NOTES / 2) state.SkipWithError("delete failed");
  }
}

// Moves every kept text and entry down to its packed place, nothing more.
void BM_DeleteFloor(benchmark::State& state) {
  NoteStore& store = fullIndex->store;
  for (auto _ : state) {
    state.PauseTiming();
    fullIndex->Restore();
    state.ResumeTiming();
    const uint32_t used = static_cast<uint32_t>(fullIndex->pool.size());
    uint32_t out = 0, outText = 0;
    for (uint32_t n = 2; n <= MAX_NOTES; n += 2) {
      const NoteEntry& entry = store.Entry(n);
      const uint32_t end = n < MAX_NOTES ? store.Entry(n + 1).text : used;
      std::memmove(store.pool + outText, store.pool + entry.text, end - entry.text);
      store.entries[out] = entry;
      store.entries[out++].text = outText;
      outText += end - entry.text;
    }
    std::memset(store.pool + outText, 0, used - outText);
    benchmark::DoNotOptimize(store.pool);
  }
}

// From the start of note 1 to the match in the last note.
void Search(benchmark::State& state, bool ignoreCase, bool wholeWords) {
  const CaseFold fold = AsciiCaseFold();
  const FindRequest request{FIND_TEXT, wholeWords, ignoreCase, false, FIND_FROM_FIRST};
  for (auto _ : state) {
    FindState find;
    const FindMatch match = LocateMatch(pad->store, find, &request, FindPlace{1, 0, false}, fold);
    if (!match.found || match.note != PAD_NOTES) state.SkipWithError("not found");
  }
}

void BM_FindCase(benchmark::State& state) { Search(state, false, false); }
void BM_FindCaseWords(benchmark::State& state) { Search(state, false, true); }
void BM_FindIgnoreCase(benchmark::State& state) { Search(state, true, false); }
void BM_FindIgnoreCaseWords(benchmark::State& state) { Search(state, true, true); }

// One scan of all the texts' bytes for the same text.
void BM_FindFloor(benchmark::State& state) {
  const NoteStore& store = pad->store;
  const char* first = store.Text(store.Entry(1));
  const size_t size = store.UsedPoolBytes() - store.Entry(1).text;
  const size_t length = std::strlen(FIND_TEXT);
  for (auto _ : state) {
    const void* hit = memmem(first, size, FIND_TEXT, length);
    if (hit == nullptr) state.SkipWithError("not found");
    benchmark::DoNotOptimize(hit);
  }
}

BENCHMARK(BM_LoadFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeleteFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeleteEveryOther)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindCaseWords)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindIgnoreCase)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindIgnoreCaseWords)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the usual table, then each measured operation against its floor.
class CRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    // With repetitions the median stands for the operation, else the one run.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || (run.run_type == Run::RT_Iteration && runs.size() == 1))
        times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio(const char* name, const char* floor, double goal) {
    auto t = times.find(name), f = times.find(floor);
    if (t == times.end() || f == times.end() || f->second <= 0) return;
    double ratio = t->second / f->second;
    std::printf("%-20s %6.2fx its floor (goal %.1fx)%s\n", name + 3, ratio, goal,
                ratio <= goal ? "" : "  OVER");
  }

 private:
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  Pad thePad;
  pad = &thePad;
  FullIndex theFullIndex;
  fullIndex = &theFullIndex;
  if (!thePad.Make() || !theFullIndex.Make()) {
    std::fprintf(stderr, "cannot build the pad in %s\n", thePad.folder.c_str());
    thePad.Remove();
    return 1;
  }
  std::printf("pad: %u notes, %zu bytes of file\n", PAD_NOTES, thePad.image.size());
  CRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio("BM_Load", "BM_LoadFloor", 1.5);
  reporter.PrintRatio("BM_Save", "BM_SaveFloor", 2.0);
  reporter.PrintRatio("BM_DeleteEveryOther", "BM_DeleteFloor", 1.5);
  reporter.PrintRatio("BM_FindCase", "BM_FindFloor", 2.0);
  reporter.PrintRatio("BM_FindCaseWords", "BM_FindFloor", 2.0);
  reporter.PrintRatio("BM_FindIgnoreCase", "BM_FindFloor", 3.0);
  reporter.PrintRatio("BM_FindIgnoreCaseWords", "BM_FindFloor", 3.0);
  benchmark::Shutdown();
  thePad.Remove();
  return 0;
}
