#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "shared/NotesFileImage.h"
#include "store/NotesFile.h"

namespace {

using Bytes = FakeFileSystem::Bytes;

const std::string PATH = "C:\\Pad\\Quillery.dat";

using image::Append;
using image::Header;
using image::Record;

// The pad of two notes "a" and "bc" in the current layout, with a reminder.
Bytes TwoNotes(uint32_t offset1 = 0, uint32_t offset2 = 2,
               std::vector<unsigned char> pool = {'a', 0, 'b', 'c', 0}) {
  Bytes b = Header(2, NOTE_ENTRY_SIZE, 1);
  Record(b, NOTE_ENTRY_SIZE, {100, 101, offset1, 0, 0});
  Record(b, NOTE_ENTRY_SIZE, {200, 201, offset2, REMINDER_SET | REMINDER_ACTIVE, 5000});
  Append(b, pool);
  return b;
}

class NotesFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.Allocate());
    files.folders.insert("C:\\Pad");
    settings.curFile = PATH;
  }

  Result Read(const Bytes& image) {
    files.Put(PATH, image);
    return ReadNotesFile(ctx, PATH);
  }

  std::string TextOf(uint32_t number) { return store.Text(store.Entry(number)); }

  // Every pool byte past the used part is zero, up to `extent`.
  void ExpectPoolClearFrom(uint32_t used, uint32_t extent) {
    for (uint32_t i = used; i < extent; ++i) ASSERT_EQ(store.pool[i], 0) << "pool byte " << i;
  }

  NoteStore store;
  Settings settings;
  FakeFileSystem files;
  int32_t clock = 1000;
  std::vector<uint32_t> savedGroups;
  NotesFileContext ctx{store, settings, files, [this] { return clock; },
                       [this](uint32_t groups) { savedGroups.push_back(groups); }};
};

TEST_F(NotesFileTest, EmptyPadIsTheHeaderAlone) {
  store.ResetToEmptyPad();
  ASSERT_EQ(WriteNotesFile(ctx), RESULT_OK);

  Bytes expected = {'Q', 'L', 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0};
  expected.resize(256, 0);
  EXPECT_EQ(files.files[PATH], expected);
  EXPECT_FALSE(store.dirty);
  EXPECT_EQ(store.lastSaveTime, 1000);
  EXPECT_EQ(savedGroups, std::vector<uint32_t>{SETTINGS_FILES});
}

TEST_F(NotesFileTest, TwoNotesReadAndWrittenByteForByte) {
  settings.lastViewed = 2;
  ASSERT_EQ(Read(TwoNotes()), RESULT_OK);

  EXPECT_EQ(store.header.noteCount, 2u);
  EXPECT_EQ(TextOf(1), "a");
  EXPECT_EQ(TextOf(2), "bc");
  EXPECT_EQ(store.Entry(2).reminderTime, 5000);
  EXPECT_EQ(store.Entry(3).text, 5u) << "new-note slot on the first free byte";
  EXPECT_EQ(TextOf(3), "");
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_FALSE(store.dirty);
  EXPECT_TRUE(settings.flags & FLAG_FILE_CREATED);

  files.files.erase(PATH);
  store.dirty = true;
  ASSERT_EQ(WriteNotesFile(ctx), RESULT_OK);
  ASSERT_EQ(files.files[PATH].size(), 256u + 40u + 5u);
  EXPECT_EQ(files.files[PATH], TwoNotes());
}

class LegacyLayoutTest : public NotesFileTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(LegacyLayoutTest, ReadRecordByRecordAndRewrittenInTheCurrentLayout) {
  Bytes image = Header(2, GetParam(), 7);
  Record(image, LEGACY_NOTE_ENTRY_SIZE, {100, 101, 0, 0, 0});
  Record(image, LEGACY_NOTE_ENTRY_SIZE, {200, 201, 2, 0, 0});
  Append(image, {'a', 0, 'b', 'c', 0});
  ASSERT_EQ(Read(image), RESULT_OK);

  EXPECT_EQ(TextOf(1), "a");
  EXPECT_EQ(TextOf(2), "bc");
  EXPECT_EQ(store.Entry(2).created, 200);
  EXPECT_EQ(store.Entry(2).flags, 0u);
  EXPECT_EQ(store.Entry(2).reminderTime, 0);
  EXPECT_EQ(store.header.reminderCount, 0u);
  EXPECT_TRUE(store.dirty);

  ASSERT_EQ(WriteNotesFile(ctx), RESULT_OK);
  Bytes expected = Header(2, NOTE_ENTRY_SIZE, 0);
  Record(expected, NOTE_ENTRY_SIZE, {100, 101, 0, 0, 0});
  Record(expected, NOTE_ENTRY_SIZE, {200, 201, 2, 0, 0});
  Append(expected, {'a', 0, 'b', 'c', 0});
  EXPECT_EQ(files.files[PATH], expected);
  EXPECT_EQ(store.header.entrySize, NOTE_ENTRY_SIZE);
  EXPECT_FALSE(store.dirty);
}

INSTANTIATE_TEST_SUITE_P(EntrySize, LegacyLayoutTest,
                         ::testing::Values(LEGACY_NOTE_ENTRY_SIZE, 0u));

struct DamagedCase {
  const char* name;
  Bytes image;
};

TEST_F(NotesFileTest, DamagedFilesAreRejectedAndNeverWrittenBack) {
  Bytes shortIndex = Header(2, NOTE_ENTRY_SIZE);
  Record(shortIndex, NOTE_ENTRY_SIZE, {1, 1, 0, 0, 0});
  Bytes tooMany = Header(MAX_NOTES + 1, NOTE_ENTRY_SIZE);
  Bytes shortHeader = TwoNotes();
  shortHeader.resize(255);

  const DamagedCase cases[] = {
      {"short header", shortHeader},
      {"wrong magic", [] { Bytes b = TwoNotes(); b[0] = 'X'; return b; }()},
      {"entry size 16", [] { Bytes b = TwoNotes(); b[12] = 16; return b; }()},
      {"entry size 24", [] { Bytes b = TwoNotes(); b[12] = 24; return b; }()},
      {"short index", shortIndex},
      {"no pool", [] { Bytes b = TwoNotes(); b.resize(256 + 40); return b; }()},
      {"first text not at 0", TwoNotes(1, 2, {0, 'a', 0, 'b', 0})},
      {"second text not after a zero", TwoNotes(0, 3)},
      {"gap between texts", TwoNotes(0, 3, {'a', 0, 0, 'b', 'c', 0})},
      {"texts out of order", TwoNotes(2, 0, {'a', 0, 'b', 'c', 0})},
      {"offset past the pool", TwoNotes(0, 1000)},
      {"offset at the pool end", TwoNotes(0, 2, {'a', 0})},
      {"last text without terminator", TwoNotes(0, 2, {'a', 0, 'b', 'c'})},
  };
  for (const DamagedCase& c : cases) {
    store.dirty = true;
    EXPECT_EQ(Read(c.image), NOTES_FILE_DAMAGED) << c.name;
    EXPECT_FALSE(store.dirty) << c.name;
  }
  EXPECT_EQ(Read(tooMany), NOTES_FILE_TOO_MANY_NOTES);
  files.replaced.clear();
  EXPECT_EQ(WriteNotesFile(ctx), RESULT_OK);
  EXPECT_TRUE(files.replaced.empty());
  EXPECT_EQ(settings.flags & FLAG_FILE_CREATED, 0u);
}

TEST_F(NotesFileTest, PoolFillingTheWholeCapacityIsDamaged) {
  Bytes image = Header(1, NOTE_ENTRY_SIZE);
  Record(image, NOTE_ENTRY_SIZE, {1, 1, 0, 0, 0});
  image.resize(image.size() + POOL_CAPACITY, 'x');
  image.back() = 0;
  EXPECT_EQ(Read(image), NOTES_FILE_DAMAGED);

  image.resize(image.size() - 1);
  image.back() = 0;
  EXPECT_EQ(Read(image), RESULT_OK) << "one byte free is enough";
  EXPECT_EQ(store.Entry(2).text, POOL_CAPACITY - 1);
}

TEST_F(NotesFileTest, OpenFailureReturnsTheSystemCode) {
  store.dirty = true;
  EXPECT_EQ(ReadNotesFile(ctx, "C:\\Pad\\Missing.dat"), SYSERR_FILE_NOT_FOUND);
  EXPECT_FALSE(store.dirty);
  EXPECT_EQ(ReadNotesFile(ctx, "C:\\Nowhere\\Quillery.dat"), SYSERR_PATH_NOT_FOUND);
  files.openErrors[PATH] = SYSERR_SHARING_VIOLATION;
  EXPECT_EQ(Read(TwoNotes()), SYSERR_SHARING_VIOLATION);
}

TEST_F(NotesFileTest, LastViewedChoosesTheCurrentNote) {
  settings.lastViewed = 9;
  ASSERT_EQ(Read(TwoNotes()), RESULT_OK);
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(settings.lastViewed, 2u) << "kept lowered";

  settings.lastViewed = 0;
  ASSERT_EQ(Read(TwoNotes()), RESULT_OK);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(store.CurrentEntry().text, 0u);

  settings.lastViewed = 3;
  ASSERT_EQ(Read(Header(0, NOTE_ENTRY_SIZE)), RESULT_OK);
  EXPECT_EQ(settings.lastViewed, 0u);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(store.CurrentEntry().text, 0u);
  EXPECT_EQ(TextOf(1), "");
}

TEST_F(NotesFileTest, ReadClearsWhatEarlierReadsLeftBehind) {
  Bytes big = Header(2, NOTE_ENTRY_SIZE, 0);
  const std::string longText(5000, 'x');
  Record(big, NOTE_ENTRY_SIZE, {1, 1, 0, REMINDER_SET, 9});
  Record(big, NOTE_ENTRY_SIZE, {2, 2, 5001, 0, 0});
  Append(big, Bytes(longText.begin(), longText.end()));
  big.push_back(0);
  Append(big, Bytes(longText.begin(), longText.end()));
  big.push_back(0);
  ASSERT_EQ(Read(big), RESULT_OK);

  // A rejected read leaves more bytes behind, then a small pad is read.
  Bytes junk = TwoNotes(0, 2, Bytes(12000, 'y'));
  ASSERT_EQ(Read(junk), NOTES_FILE_DAMAGED);
  Bytes one = Header(1, NOTE_ENTRY_SIZE);
  Record(one, NOTE_ENTRY_SIZE, {3, 3, 0, 0, 0});
  Append(one, {'z', 0});
  ASSERT_EQ(Read(one), RESULT_OK);

  EXPECT_EQ(TextOf(1), "z");
  ExpectPoolClearFrom(2, 13000);
  EXPECT_EQ(store.poolHighWater, 2u);
  EXPECT_EQ(store.Entry(2).text, 2u);
  EXPECT_EQ(store.Entry(2).created, 0);
  EXPECT_EQ(store.Entry(3).text, 0u);
  EXPECT_EQ(store.Entry(3).flags, 0u);
}

TEST_F(NotesFileTest, SavingUnchangedNotesOnlyMovesTheSaveTime) {
  ASSERT_EQ(Read(TwoNotes()), RESULT_OK);
  clock = 2000;
  ASSERT_EQ(WriteNotesFile(ctx), RESULT_OK);
  EXPECT_TRUE(files.replaced.empty());
  EXPECT_TRUE(savedGroups.empty());
  EXPECT_EQ(store.lastSaveTime, 2000);
}

TEST_F(NotesFileTest, FailedSaveKeepsStoreDirtyAndOldFile) {
  Bytes legacy = Header(1, LEGACY_NOTE_ENTRY_SIZE);
  Record(legacy, LEGACY_NOTE_ENTRY_SIZE, {1, 1, 0, 0, 0});
  Append(legacy, {'q', 0});
  ASSERT_EQ(Read(legacy), RESULT_OK);
  const NotesFileHeader headerBefore = store.header;
  store.lastSaveTime = 77;

  files.replaceErrors[PATH] = SYSERR_SHARING_VIOLATION;
  EXPECT_EQ(WriteNotesFile(ctx), SYSERR_SHARING_VIOLATION);
  EXPECT_EQ(files.files[PATH], legacy);
  EXPECT_EQ(std::memcmp(&store.header, &headerBefore, sizeof headerBefore), 0);
  EXPECT_EQ(TextOf(1), "q");
  EXPECT_TRUE(store.dirty);
  EXPECT_EQ(store.lastSaveTime, 77);
  EXPECT_TRUE(savedGroups.empty());

  files.replaceErrors.clear();
  ASSERT_EQ(WriteNotesFile(ctx), RESULT_OK) << "retry after the lock is gone";
  EXPECT_EQ(files.files[PATH].size(), 256u + 20u + 2u);
}

}  // namespace
