#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "FakeFileSystem.h"
#include "shared/FakeMessages.h"
#include "shared/NotesFileImage.h"
#include "store/Recovery.h"

namespace {

using Bytes = FakeFileSystem::Bytes;
constexpr MessageAnswer YES = MessageAnswer::Yes;
constexpr MessageAnswer NO = MessageAnswer::No;

const std::string D = "C:\\Prog\\Users\\ann\\Quillery.dat";
const std::string DB = "C:\\Prog\\Users\\ann\\Quillery.bak";
const std::string C = "E:\\Notes\\Quillery.dat";
const std::string B = "E:\\Notes\\Quillery.bak";

Bytes NotesImage(const std::vector<std::string>& texts) { return image::NotesFileImage(texts, 1000, 2000); }

const Bytes EMPTY_PAD = NotesImage({});
const Bytes GOOD = NotesImage({"a", "bc"});
const Bytes BACKUP = NotesImage({"from backup"});
const Bytes DAMAGED = {'X', 'X', 0, 0};

std::string Text(uint32_t id) { return FakeMessages().LoadText(id); }

// 903 etc. as the user sees them: number and path in, system text appended.
std::string Composed(uint32_t id, const std::string& code, const std::string& path,
                     const std::string& system) {
  std::string t = Text(id);
  ReplacePlaceholder(t, "<FILENAME>", path);
  ReplacePlaceholder(t, "<ERRCODE>", code);
  return t + system;
}

struct Harness {
  NoteStore store;
  Settings settings;
  FakeFileSystem fs;
  FakeMessages messages;
  std::vector<uint32_t> saved;
  RecoveryContext ctx{{store, settings, fs, [] { return int32_t{5000}; },
                       [this](uint32_t groups) { saved.push_back(groups); }},
                      messages};

  // A known user whose notes file was made before, at the default place.
  Harness() {
    EXPECT_TRUE(store.Allocate());
    settings.appDir = "C:\\Prog\\";
    settings.userName = "ann";
    settings.flags = FLAG_FILE_CREATED;
    settings.curFile = D;
    settings.backupFile = DB;
    messages.systemTexts[5] = "Access is denied.\r\n";
    messages.systemTexts[32] = "The file is in use.\r\n";
  }

  void NotesElsewhere() {
    settings.curFile = C;
    settings.backupFile = B;
  }

  bool Open(std::initializer_list<MessageAnswer> answers) {
    messages.answers = answers;
    const bool ok = OpenNotesFile(ctx);
    EXPECT_TRUE(messages.answers.empty()) << "a question was not asked";
    return ok;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& m : messages.shown) t.push_back(m.text);
    return t;
  }

  void ExpectQuestion(size_t i, uint32_t id, MessageIcon icon) const {
    ASSERT_LT(i, messages.shown.size());
    EXPECT_EQ(messages.shown[i].text, Text(id));
    EXPECT_EQ(messages.shown[i].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[i].icon, icon);
  }

  void ExpectReport(size_t i, const std::string& text) const {
    ASSERT_LT(i, messages.shown.size());
    EXPECT_EQ(messages.shown[i].text, text);
    EXPECT_EQ(messages.shown[i].buttons, MessageButtons::Ok);
    EXPECT_EQ(messages.shown[i].icon, MessageIcon::Exclamation);
  }

  // After a refused start the save at exit must not write the rejected store.
  void ExpectRefusedStartWritesNothing() {
    EXPECT_FALSE(store.dirty);
    const size_t writes = fs.replaced.size();
    const size_t shown = messages.shown.size();
    FinalSave(ctx);
    EXPECT_EQ(fs.replaced.size(), writes);
    EXPECT_EQ(messages.shown.size(), shown);
    EXPECT_EQ(saved.back(), SETTINGS_APPEARANCE);
  }

  void ExpectNewPadAt(const std::string& path) {
    EXPECT_EQ(fs.files[path], EMPTY_PAD);
    EXPECT_EQ(settings.curFile, path);
    EXPECT_EQ(store.header.noteCount, 0u);
    EXPECT_EQ(store.currentNote, 1u);
    EXPECT_EQ(settings.lastViewed, 0u);
    EXPECT_FALSE(store.dirty);
    EXPECT_TRUE(settings.flags & FLAG_FILE_CREATED);
    EXPECT_FALSE(settings.flags & FLAG_ASK_DEFAULT_PATH);
    EXPECT_TRUE(ctx.backupPending);
    EXPECT_NE(std::find(saved.begin(), saved.end(), SETTINGS_FILES | SETTINGS_PREFERENCES), saved.end());
  }

  // Whether "Flags" went to the registry during the opening.
  bool FlagsSaved() const { return std::find(saved.begin(), saved.end(), SETTINGS_UPGRADE) != saved.end(); }
};

TEST(ReportFileError, ComposesNumberPathAndSystemTextWithoutCutting) {
  Harness h;
  h.messages.systemTexts[0x80070005] = "Denied by policy.\r\n";
  const std::string longPath = "C:\\" + std::string(2000, 'x') + "\\Quillery.dat";
  ReportFileError(h.messages, 5, 903, D);
  ReportFileError(h.messages, 0x80070005, 903, longPath);
  ReportFileError(h.messages, 1117, 903, D);  // the system has no text for it
  h.ExpectReport(0, "Error 5 while trying to read your note file:\n\n\t" + D +
                        "\n\n Windows reported:\n\n\tAccess is denied.\r\n");
  h.ExpectReport(1, Composed(903, "-2147024891", longPath, "Denied by policy.\r\n"));
  h.ExpectReport(2, Composed(903, "1117", D, ""));
}

TEST(ReportFileError, DamagedFileHasNeitherNumberNorSystemText) {
  Harness h;
  h.messages.systemTexts[NOTES_FILE_DAMAGED] = "never shown";
  ReportFileError(h.messages, NOTES_FILE_DAMAGED, 910, D);
  h.ExpectReport(0, "Your notes file:\n\n\t" + D +
                        "\n\nis corrupted. Please delete that file and run Quillery again.\n"
                        "All your notes will be lost.");
}

TEST(OpenNotesFile, FirstRunMakesTheUserFolderAnEmptyPadAndItsBackup) {
  for (uint32_t useBackups : {1u, 0u}) {
    Harness h;
    h.settings.flags = 0;
    h.settings.useBackups = useBackups;
    ASSERT_TRUE(h.Open({}));
    EXPECT_TRUE(h.fs.deleted.empty());
    EXPECT_TRUE(h.messages.shown.empty());
    EXPECT_TRUE(h.FlagsSaved());
    EXPECT_EQ(h.fs.folders, (std::set<std::string>{"C:\\Prog\\Users", "C:\\Prog\\Users\\ann"}));
    h.ExpectNewPadAt(D);
    EXPECT_EQ(h.settings.backupFile, DB);

    EXPECT_TRUE(BackupNotesFile(h.ctx));
    EXPECT_EQ(h.fs.files.count(DB), useBackups);
    if (useBackups) {
      EXPECT_EQ(h.fs.files[DB], EMPTY_PAD);
    }
  }
}

TEST(OpenNotesFile, NewPadThatCannotBeWrittenEndsTheStart) {
  Harness h;
  h.settings.flags = 0;
  h.fs.replaceErrors[D] = 5;
  EXPECT_FALSE(h.Open({}));
  h.ExpectReport(0, "Error 5 while trying to create your initial notes file:\n\n\t" + D +
                        "\n\nQuillery cannot continue. Please contact technical support\n"
                        "if you cannot determine the problem. Windows reported:\n\n\t"
                        "Access is denied.\r\n");
  EXPECT_FALSE(h.settings.flags & FLAG_FILE_CREATED);
  EXPECT_FALSE(h.ctx.backupPending);
  EXPECT_TRUE(h.saved.empty());
  h.ExpectRefusedStartWritesNothing();
}

TEST(OpenNotesFile, DefaultFileWinsAndResetsThePaths) {
  Harness h;
  h.NotesElsewhere();
  h.fs.Put(D, GOOD);
  h.fs.Put(C, BACKUP);
  ASSERT_TRUE(h.Open({}));
  EXPECT_EQ(h.settings.curFile, D);
  EXPECT_EQ(h.settings.backupFile, DB);
  EXPECT_EQ(h.store.header.noteCount, 2u);
  EXPECT_TRUE(h.ctx.backupPending);
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.fs.replaced.empty());
}

TEST(OpenNotesFile, FileMovedAwayIsUsedWhereItIs) {
  Harness h;
  h.NotesElsewhere();
  h.fs.Put(C, GOOD);
  h.fs.Put(B, BACKUP);
  h.fs.folders.insert("C:\\Prog\\Users\\ann");  // D's folder is there, D is not
  ASSERT_TRUE(h.Open({}));
  EXPECT_EQ(h.settings.curFile, C);
  EXPECT_EQ(h.settings.backupFile, B);
  EXPECT_EQ(h.store.header.noteCount, 2u);
  EXPECT_TRUE(h.ctx.backupPending);
  EXPECT_TRUE(h.messages.shown.empty());

  ASSERT_TRUE(BackupNotesFile(h.ctx));
  EXPECT_EQ(h.fs.files[B], GOOD);
}

TEST(OpenNotesFile, LockedFileStopsWithoutTouchingAnything) {
  for (bool onMovedFile : {false, true}) {
    for (Result code : {Result{5}, Result{32}}) {
      SCOPED_TRACE(std::to_string(code) + (onMovedFile ? " on C" : " on D"));
      Harness h;
      if (onMovedFile) h.NotesElsewhere();
      h.fs.Put(D, GOOD);
      h.fs.Put(C, GOOD);
      h.fs.openErrors[onMovedFile ? C : D] = code;
      if (onMovedFile) h.fs.files.erase(D);
      const auto before = h.fs.files;
      EXPECT_FALSE(h.Open({}));
      ASSERT_EQ(h.messages.shown.size(), 1u);
      h.ExpectReport(0, Text(905));
      EXPECT_EQ(h.fs.files, before);
      EXPECT_TRUE(h.fs.deleted.empty());
      h.ExpectRefusedStartWritesNothing();
    }
  }
}

// C elsewhere, neither C nor D there: with or without the backup question the
// new pad goes where the user chooses in 309.
TEST(OpenNotesFile, EverythingMissingCreatesElsewhereAfterAskingForTheFolder) {
  struct Case {
    uint32_t useBackups;
    std::vector<MessageAnswer> answers;  // 906 (when asked), then 309
  };
  for (const Case& c : {Case{1, {YES, YES}}, Case{1, {YES, NO}}, Case{1, {NO, YES}},
                        Case{0, {YES}}, Case{0, {NO}}}) {
    const bool toDefault = c.answers.back() == YES;
    SCOPED_TRACE(std::to_string(c.useBackups) + (toDefault ? " default" : " old place"));
    Harness h;
    h.NotesElsewhere();
    h.settings.useBackups = c.useBackups;
    h.fs.folders.insert("E:\\Notes");
    h.messages.answers.assign(c.answers.begin(), c.answers.end());
    ASSERT_TRUE(OpenNotesFile(h.ctx));
    EXPECT_TRUE(h.messages.answers.empty());

    size_t at = 0;
    if (c.useBackups) h.ExpectQuestion(at++, 906, MessageIcon::Exclamation);
    ASSERT_EQ(h.messages.shown.size(), at + 1) << "no question between the backups and 309";
    EXPECT_EQ(h.messages.shown[at].text,
              "Quillery is about to create a new Notes file. However it has been\n"
              "determined you previously placed the Quillery Notes file in:\n\n"
              "  E:\\Notes\n\n"
              "which is not the default folder where Quillery places these files.\n"
              "Do you want Quillery to create your Notes file in the default path:\n\n"
              "  C:\\Prog\\Users\\ann ?\n\n"
              "If NO, your file will be created where it previously was located.");
    EXPECT_EQ(h.messages.shown[at].buttons, MessageButtons::YesNo);
    EXPECT_EQ(h.messages.shown[at].icon, MessageIcon::Question);

    h.ExpectNewPadAt(toDefault ? D : C);
    EXPECT_EQ(h.settings.backupFile, toDefault ? DB : B);
    EXPECT_EQ(h.fs.folders.count("C:\\Prog\\Users\\ann"), toDefault ? 1u : 0u);
  }
}

TEST(OpenNotesFile, DefaultBackupIsRestoredToTheDefaultPlace) {
  // From C missing elsewhere, and from a damaged D.
  for (bool fromMoved : {true, false}) {
    Harness h;
    if (fromMoved) h.NotesElsewhere();
    else h.fs.Put(D, DAMAGED);
    h.fs.Put(DB, BACKUP);
    ASSERT_TRUE(h.Open({YES}));
    h.ExpectQuestion(0, 906, MessageIcon::Exclamation);
    EXPECT_EQ(h.messages.shown.size(), fromMoved ? 1u : 2u) << "a damaged file is kept aside";
    EXPECT_EQ(h.settings.curFile, D);
    EXPECT_EQ(h.settings.backupFile, DB);
    EXPECT_EQ(h.fs.files[D], BACKUP);
    EXPECT_EQ(h.fs.files[DB], BACKUP);
    EXPECT_TRUE(h.ctx.backupPending);
    EXPECT_FALSE(h.store.dirty);
  }
}

TEST(OpenNotesFile, BackupIsRestoredInPlace) {
  // C missing (DB absent too), and C damaged.
  for (bool damaged : {false, true}) {
    Harness h;
    h.NotesElsewhere();
    h.fs.Put(B, BACKUP);
    if (damaged) h.fs.Put(C, DAMAGED);
    ASSERT_TRUE(h.Open({YES}));
    h.ExpectQuestion(0, 906, MessageIcon::Exclamation);
    EXPECT_EQ(h.messages.shown.size(), damaged ? 2u : 1u);
    EXPECT_EQ(h.settings.curFile, C);
    EXPECT_EQ(h.settings.backupFile, B);
    EXPECT_EQ(h.fs.files[C], BACKUP);
    EXPECT_TRUE(h.ctx.backupPending);
  }
}

TEST(OpenNotesFile, FailedRestoreRunsOnWithTheBackupsNotesAndKeepsTheBackup) {
  Harness h;
  h.NotesElsewhere();
  h.fs.Put(C, DAMAGED);
  h.fs.Put(B, BACKUP);
  h.fs.replaceErrors[C] = 5;
  ASSERT_TRUE(h.Open({YES}));
  h.ExpectReport(2, "Error 5 while trying to recreate your note file:\n\n\t" + C +
                        "\n\nQuillery will continue to use the backup copy. Windows reported:"
                        "\n\n\tAccess is denied.\r\n");
  EXPECT_FALSE(h.ctx.backupPending);
  EXPECT_EQ(h.store.header.noteCount, 1u);
  EXPECT_STREQ(h.store.Text(h.store.Entry(1)), "from backup");
  EXPECT_TRUE(h.store.dirty) << "the next save tries again";

  h.fs.replaceErrors.clear();
  SaveAllNotes(h.ctx, nullptr);
  EXPECT_EQ(h.fs.files[C], BACKUP);
  EXPECT_EQ(h.fs.files[B], BACKUP);
}

TEST(OpenNotesFile, UnusableBackupOffersANewPad) {
  // D damaged and DB missing: a new pad at the default place, no 309.
  {
    Harness h;
    h.fs.Put(D, DAMAGED);
    ASSERT_TRUE(h.Open({YES, YES}));
    h.ExpectQuestion(0, 906, MessageIcon::Exclamation);
    h.ExpectQuestion(1, 907, MessageIcon::Question);
    EXPECT_EQ(h.messages.shown.size(), 3u);
    h.ExpectNewPadAt(D);
  }
  // C damaged elsewhere and B missing: Yes leads on to 309.
  {
    Harness h;
    h.NotesElsewhere();
    h.fs.Put(C, DAMAGED);
    ASSERT_TRUE(h.Open({YES, YES, NO}));
    h.ExpectQuestion(1, 907, MessageIcon::Question);
    EXPECT_EQ(h.messages.shown.size(), 4u);
    h.ExpectNewPadAt(C);
  }
  for (bool elsewhere : {false, true}) {
    Harness h;
    if (elsewhere) h.NotesElsewhere();
    h.fs.Put(elsewhere ? C : D, DAMAGED);
    EXPECT_FALSE(h.Open({YES, NO}));
    EXPECT_EQ(h.fs.files[elsewhere ? C : D], DAMAGED);
    h.ExpectRefusedStartWritesNothing();
  }
}

TEST(OpenNotesFile, ReadErrorWithoutBackupsIsReportedThenANewPadOffered) {
  // A damaged default file: 910 without number or system text.
  {
    Harness h;
    h.settings.useBackups = 0;
    h.fs.Put(D, DAMAGED);
    ASSERT_TRUE(h.Open({YES}));
    h.ExpectReport(0, Composed(910, "", D, ""));
    h.ExpectQuestion(1, 305, MessageIcon::Question);
    h.ExpectNewPadAt(D);
  }
  {
    Harness h;
    h.settings.useBackups = 0;
    h.fs.Put(D, DAMAGED);
    EXPECT_FALSE(h.Open({NO}));
    EXPECT_EQ(h.fs.files[D], DAMAGED);
    h.ExpectRefusedStartWritesNothing();
  }
  // Any other system error: 903 with the system's reason.
  {
    Harness h;
    h.settings.useBackups = 0;
    h.messages.systemTexts[1117] = "I/O device error.\r\n";
    h.fs.openErrors[D] = 1117;
    ASSERT_TRUE(h.Open({YES}));
    h.ExpectReport(0, "Error 1117 while trying to read your note file:\n\n\t" + D +
                          "\n\n Windows reported:\n\n\tI/O device error.\r\n");
    h.ExpectNewPadAt(D);
  }
  // C damaged elsewhere: 910 about C, then 305, then where to create.
  {
    Harness h;
    h.settings.useBackups = 0;
    h.NotesElsewhere();
    h.fs.Put(C, DAMAGED);
    ASSERT_TRUE(h.Open({YES, NO}));
    h.ExpectReport(0, Composed(910, "", C, ""));
    h.ExpectQuestion(1, 305, MessageIcon::Question);
    EXPECT_NE(h.messages.shown[2].text.find("E:\\Notes\n"), std::string::npos);
    h.ExpectNewPadAt(C);
  }
}

TEST(OpenNotesFile, DamagedDefaultFileIsNamedEvenWhenNotesLiveElsewhere) {
  Harness h;
  h.settings.useBackups = 0;
  h.NotesElsewhere();
  h.fs.Put(D, DAMAGED);
  h.fs.Put(C, GOOD);
  EXPECT_FALSE(h.Open({NO}));
  h.ExpectReport(0, Composed(910, "", D, ""));
  EXPECT_EQ(h.fs.files[C], GOOD);
}

TEST(OpenNotesFile, RefusedBackupLeadsStraightToTheNewPadQuestion) {
  for (bool elsewhere : {false, true}) {
    Harness h;
    if (elsewhere) h.NotesElsewhere();
    h.fs.Put(elsewhere ? C : D, DAMAGED);
    h.fs.Put(elsewhere ? B : DB, BACKUP);
    EXPECT_FALSE(h.Open({NO, NO}));
    h.ExpectQuestion(0, 906, MessageIcon::Exclamation);
    h.ExpectQuestion(1, 305, MessageIcon::Question);
    EXPECT_EQ(h.messages.shown.size(), 2u);
    h.ExpectRefusedStartWritesNothing();
  }
}

// "Flags" lost (a crash in the first session, a registry cleaner): notes that
// exist are opened, never replaced by a new pad.
TEST(OpenNotesFile, MissingFlagsOpenExistingNotesAndSaveTheFlagAtOnce) {
  {
    Harness h;
    h.settings.flags = 0;
    h.fs.Put(D, GOOD);
    h.fs.Put(DB, BACKUP);
    ASSERT_TRUE(h.Open({}));
    EXPECT_EQ(h.store.header.noteCount, 2u);
    EXPECT_TRUE(h.fs.replaced.empty());
    EXPECT_TRUE(h.settings.flags & FLAG_FILE_CREATED);
    EXPECT_TRUE(h.FlagsSaved());
  }
  {
    Harness h;  // the notes were kept elsewhere
    h.settings.flags = 0;
    h.NotesElsewhere();
    h.fs.Put(C, GOOD);
    ASSERT_TRUE(h.Open({}));
    EXPECT_EQ(h.settings.curFile, C);
    EXPECT_TRUE(h.fs.replaced.empty());
  }
  {
    Harness h;  // only the backup is left: it is offered, not overwritten
    h.settings.flags = 0;
    h.fs.Put(DB, BACKUP);
    ASSERT_TRUE(h.Open({YES}));
    h.ExpectQuestion(0, 906, MessageIcon::Exclamation);
    EXPECT_EQ(h.fs.files[D], BACKUP);
  }
  {
    Harness h;  // a damaged file goes through the usual questions
    h.settings.flags = 0;
    h.fs.Put(D, DAMAGED);
    EXPECT_FALSE(h.Open({NO, NO}));
    EXPECT_EQ(h.fs.files[D], DAMAGED);
    EXPECT_FALSE(h.FlagsSaved());
  }
}

TEST(OpenNotesFile, ARefusedFileIsKeptAsideBeforeAnythingReplacesIt) {
  Harness h;
  h.fs.Put(D, DAMAGED);
  h.fs.Put(DB, DAMAGED);
  h.fs.Put(D + ".rejected", GOOD);  // taken by an earlier run
  ASSERT_TRUE(h.Open({YES, YES}));   // 906, then 907
  EXPECT_EQ(h.fs.files[D + ".rejected"], GOOD);
  EXPECT_EQ(h.fs.files[D + ".rejected.2"], DAMAGED);
  EXPECT_EQ(h.fs.files[DB + ".rejected"], DAMAGED) << "the backup is replaced at start-up too";
  EXPECT_EQ(h.messages.shown[2].text,
            "Quillery could not use the notes file it found and has kept it, unchanged, as:\n\n\t" + D +
                ".rejected.2\n\nNothing in it is lost.");
  EXPECT_EQ(h.messages.shown[2].icon, MessageIcon::Information);
  h.ExpectNewPadAt(D);
}

TEST(OpenNotesFile, AFileThatCannotBeKeptAsideIsLeftAndTheStartEnds) {
  Harness h;
  h.settings.useBackups = 0;
  h.fs.Put(D, DAMAGED);
  h.fs.renameErrors[D] = 5;
  EXPECT_FALSE(h.Open({YES}));
  h.ExpectReport(2, Composed(925, "5", D, "Access is denied.\r\n"));
  EXPECT_EQ(h.fs.files[D], DAMAGED);
  EXPECT_TRUE(h.fs.replaced.empty());
  h.ExpectRefusedStartWritesNothing();
}

TEST(OpenNotesFile, AFileWithTooManyNotesIsNamedAsSuchAndKept) {
  Harness h;
  h.settings.useBackups = 0;
  Bytes big = NotesImage({});
  image::SetU32(big, 8, 20000);
  h.fs.Put(D, big);
  ASSERT_TRUE(h.Open({YES}));
  h.ExpectReport(0, "Your notes file:\n\n\t" + D +
                        "\n\nholds more notes than this version of Quillery can open.");
  h.ExpectQuestion(1, 305, MessageIcon::Question);
  EXPECT_EQ(h.fs.files[D + ".rejected"], big);
  h.ExpectNewPadAt(D);
}

TEST(BackupNotesFile, FailedCopyIsReportedAndTheNotesStayUsable) {
  Harness h;
  h.fs.Put(D, GOOD);
  ASSERT_TRUE(h.Open({}));
  h.fs.copyErrors[DB] = 32;
  EXPECT_FALSE(BackupNotesFile(h.ctx));
  h.ExpectReport(0, "Error 32 while copying data file to backup file:\n\n\t" + DB +
                        "\n\nYour backup file may be unusable. Windows reported:\n\n\t"
                        "The file is in use.\r\n");
  EXPECT_EQ(h.store.header.noteCount, 2u);

  h.settings.useBackups = 0;
  EXPECT_TRUE(BackupNotesFile(h.ctx));
  EXPECT_EQ(h.fs.copied.size(), 1u);
}

TEST(SaveAllNotes, WritesAfterTheEditorIsCommittedAndNotWhenItsTextWasRefused) {
  Harness h;
  h.fs.Put(D, GOOD);
  ASSERT_TRUE(h.Open({}));
  h.store.dirty = true;
  int commits = 0;
  SaveAllNotes(h.ctx, [&] {
    ++commits;
    return NOTE_NOT_STORED;
  });
  EXPECT_EQ(commits, 1);
  EXPECT_TRUE(h.fs.replaced.empty());
  EXPECT_TRUE(h.store.dirty);

  SaveAllNotes(h.ctx, [&] {
    ++commits;
    return RESULT_OK;
  });
  EXPECT_EQ(commits, 2);
  EXPECT_EQ(h.fs.replaced, std::vector<std::string>{D});
  EXPECT_FALSE(h.store.dirty);
  EXPECT_TRUE(h.messages.shown.empty());

  h.store.dirty = true;
  h.fs.replaceErrors[D] = 5;
  SaveAllNotes(h.ctx, nullptr);
  h.ExpectReport(0, Composed(901, "5", D, "Access is denied.\r\n"));
  EXPECT_TRUE(h.store.dirty);
}

TEST(FinalSave, ReportsAFailedWriteAndStillSavesTheAppearance) {
  Harness h;
  h.fs.Put(D, GOOD);
  ASSERT_TRUE(h.Open({}));
  h.store.dirty = true;
  h.fs.replaceErrors[D] = 32;
  h.saved.clear();
  FinalSave(h.ctx);
  h.ExpectReport(0, "Error 32  writing to your notes file:\n\n\t" + D +
                        "\n\n. You may want to quit and restart Quillery so that it can "
                        "attempt to\nread the original file or use your backup file (if "
                        "backups allowed).\nWindows reported:\n\n\tThe file is in use.\r\n");
  EXPECT_EQ(h.saved, std::vector<uint32_t>{SETTINGS_APPEARANCE});
}

}  // namespace
