#include <gtest/gtest.h>

#include "FakeDocumentPorts.h"
#include "document/NoteEdits.h"
#include "reminders/ReminderScan.h"

using std::string;

class NoteCommit : public NoteDocumentTest {
 protected:
  bool Shown(uint32_t id, MessageButtons buttons, MessageIcon icon) {
    const string text = messages.LoadText(id);
    for (const auto& s : messages.shown)
      if (s.text == text && s.buttons == buttons && s.icon == icon) return true;
    return false;
  }
};

TEST_F(NoteCommit, EmptyPadStoresTypedTextAsNoteOneAndOpensTheSlot) {
  Pad({});
  EXPECT_EQ(frame.title, Title(1, 1));
  doc.OnNextNote();
  EXPECT_EQ(frame.beeps, 1);
  EXPECT_FALSE(store.dirty);

  clock.now = 5000;
  editor.Type("hello");
  doc.OnNewNote();
  ASSERT_EQ(Texts(), (std::vector<string>{"hello"}));
  EXPECT_EQ(store.Entry(1).created, 5000);
  EXPECT_EQ(store.Entry(1).modified, 5000);
  EXPECT_EQ(settings.lastViewed, 1u);
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(frame.title, Title(2, 2));
  EXPECT_EQ(editor.text, "");
  EXPECT_TRUE(editor.changed);
  EXPECT_TRUE(store.dirty);
  EXPECT_EQ(PoolBytes(8), string("hello\0\0\0", 8));
  ExpectConsistent();
}

TEST_F(NoteCommit, EmptySlotOfAnEmptyPadStaysWithoutChange) {
  Pad({});
  editor.Type("");
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_FALSE(store.dirty);
  EXPECT_FALSE(editor.changed);
  EXPECT_EQ(store.currentNote, 1u);
}

TEST_F(NoteCommit, NothingIsStoredUnchangedOrInListView) {
  Pad({"one"});
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  settings.noteMode = 0;
  editor.Type("changed");
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(Texts(), (std::vector<string>{"one"}));
  EXPECT_FALSE(store.dirty);
}

TEST_F(NoteCommit, FirstMiddleAndLastNotesByteExact) {
  Pad({"one", "two", "three"});
  clock.now = 7000;
  editor.Type("1");
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(PoolBytes(16), string("1\0two\0three\0\0\0\0\0", 16));
  EXPECT_EQ(store.Entry(1).modified, 7000);
  EXPECT_EQ(store.Entry(1).created, 100);
  EXPECT_EQ(settings.lastViewed, 1u) << "only shown notes and the last note set it";
  EXPECT_FALSE(editor.changed);
  ExpectConsistent();

  store.currentNote = 2;
  editor.Type("second");
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(PoolBytes(20), string("1\0second\0three\0\0\0\0\0", 20));
  EXPECT_EQ(store.Entry(3).text, 9u);
  ExpectConsistent();

  store.currentNote = 3;
  editor.Type("3");
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(PoolBytes(16), string("1\0second\0" "3\0\0\0\0\0\0", 16));
  EXPECT_EQ(settings.lastViewed, 3u);
  EXPECT_EQ(store.Entry(3).modified, 7000);
  ExpectConsistent();
}

TEST_F(NoteCommit, MiddleNoteGrowsAndShrinks) {
  Pad({"a", "bb", "ccc", "dddd"}, 2);
  editor.Type(string(1000, 'x'));
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(Texts(), (std::vector<string>{"a", string(1000, 'x'), "ccc", "dddd"}));
  ExpectConsistent();
  editor.Type("y");
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(Texts(), (std::vector<string>{"a", "y", "ccc", "dddd"}));
  ExpectConsistent();
}

TEST_F(NoteCommit, SlotTextBecomesTheLastNote) {
  Pad({"one", "two"}, 2);
  doc.OnNewNote();
  clock.now = 9000;
  editor.Type("three");
  doc.OnFirstNote();
  EXPECT_EQ(Texts(), (std::vector<string>{"one", "two", "three"}));
  EXPECT_EQ(store.Entry(3).created, 9000);
  EXPECT_EQ(store.Entry(3).modified, 9000);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(editor.text, "one");
  ExpectConsistent();
}

TEST_F(NoteCommit, UnchangedTextStillMovesTheModificationTime) {
  Pad({"one", "two"});
  clock.now = 4242;
  editor.Type("one");
  ASSERT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(store.Entry(1).modified, 4242);
  EXPECT_TRUE(store.dirty);
}

TEST_F(NoteCommit, TooLongTextIsCutOnlyWhenTheUserAgrees) {
  Pad({"one", "two"});
  const string longText(MAX_NOTE_LENGTH + 10, 'z');
  editor.Type(longText);
  messages.answers = {MessageAnswer::No};
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  EXPECT_TRUE(Shown(922, MessageButtons::YesNo, MessageIcon::Exclamation));
  EXPECT_EQ(editor.text, longText);
  EXPECT_TRUE(editor.changed);
  EXPECT_FALSE(store.dirty);

  messages.answers = {MessageAnswer::Yes};
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(Texts()[0], string(MAX_NOTE_LENGTH, 'z'));
  EXPECT_EQ(Texts()[1], "two");
  EXPECT_EQ(editor.text, Texts()[0]) << "the editor shows what was kept";
  ExpectConsistent();
}

TEST_F(NoteCommit, ClosingStoresTheNoteOrStaysUnlessTheUserGivesItUp) {
  Pad({"one"});
  const string longText(MAX_NOTE_LENGTH + 1, 'z');
  editor.Type(longText);
  messages.answers = {MessageAnswer::No, MessageAnswer::No};
  EXPECT_FALSE(doc.CommitBeforeClosing());
  EXPECT_TRUE(Shown(920, MessageButtons::YesNoDefaultNo, MessageIcon::Question));
  EXPECT_EQ(editor.text, longText);
  EXPECT_TRUE(editor.changed);

  // A close asked for while a question is open waits for its answer.
  bool nested = true;
  messages.onShow = [&] { nested = doc.CommitBeforeClosing(); };
  messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_TRUE(doc.CommitBeforeClosing());
  EXPECT_FALSE(nested);
  EXPECT_FALSE(editor.changed) << "given up: nothing is left to commit";
  EXPECT_EQ(Texts(), (std::vector<string>{"one"}));
}

TEST_F(NoteCommit, NestedCommitDuringAQuestionIsRefused) {
  Pad({"one"});
  editor.Type(string(MAX_NOTE_LENGTH + 1, 'z'));
  Result nested = RESULT_OK;
  messages.onShow = [&] { nested = doc.CommitCurrentNote(); };
  messages.answers = {MessageAnswer::Yes};
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(nested, NOTE_NOT_STORED);
  messages.onShow = nullptr;
  editor.Type("again");
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK) << "the guard is released";
}

TEST_F(NoteCommit, EmptiedMiddleNoteIsRemovedAndNextDoesNotMoveOnTwice) {
  Pad({"one", "two", "three"}, 2);
  editor.Type("");
  doc.OnNextNote();
  EXPECT_EQ(Texts(), (std::vector<string>{"one", "three"}));
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, "three");
  EXPECT_EQ(frame.title, Title(2, 2));
  ExpectConsistent();
}

TEST_F(NoteCommit, EmptySlotIsAbandonedByPrevious) {
  Pad({"one", "two", "three"}, 3);
  doc.OnNewNote();
  EXPECT_EQ(frame.title, Title(4, 4));
  EXPECT_EQ(editor.text, "");
  doc.OnPreviousNote();
  EXPECT_EQ(store.currentNote, 3u);
  EXPECT_EQ(editor.text, "three");
  EXPECT_EQ(store.header.noteCount, 3u);
  EXPECT_FALSE(store.dirty);
  ExpectConsistent();
}

TEST_F(NoteCommit, SlotRefusedWhenNoPoolByteWouldStayFree) {
  FullPad({"last"}, 10, 2);
  doc.OnNewNote();
  ASSERT_EQ(store.currentNote, 3u);
  editor.Type(string(9, 's'));  // 10 bytes with the terminator: none left
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  EXPECT_TRUE(Shown(902, MessageButtons::Ok, MessageIcon::Exclamation));
  EXPECT_EQ(editor.text, string(9, 's'));
  EXPECT_TRUE(editor.changed);
  EXPECT_EQ(store.header.noteCount, 2u);
  ExpectConsistent();

  editor.Type(string(8, 's'));  // leaves exactly one byte
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(store.header.noteCount, 3u);
  EXPECT_EQ(store.UsedPoolBytes(), POOL_CAPACITY - 1);
  ExpectConsistent();
}

TEST_F(NoteCommit, MiddleGrowthRefusedWhenNoPoolByteWouldStayFree) {
  FullPad({"ab", "tail"}, 10, 2);
  const string before = PoolBytes(store.UsedPoolBytes());
  editor.Type(string(12, 'g'));  // grows by 10
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  EXPECT_TRUE(editor.changed);
  EXPECT_EQ(PoolBytes(store.UsedPoolBytes()), before);
  EXPECT_FALSE(store.dirty);

  editor.Type(string(11, 'g'));  // grows by 9
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  EXPECT_EQ(Texts()[1], string(11, 'g'));
  EXPECT_EQ(Texts()[2], "tail");
  EXPECT_EQ(store.UsedPoolBytes(), POOL_CAPACITY - 1);
  ExpectConsistent();
}

TEST_F(NoteCommit, LastNoteGrowthRefusedAtTheEndOfThePool) {
  FullPad({"ab"}, 4, 2);
  editor.Type("abcde");  // grows by 3 of 4 free bytes
  EXPECT_EQ(doc.CommitCurrentNote(), RESULT_OK);
  editor.Type("abcdef");
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  EXPECT_EQ(Texts()[1], "abcde");
  ExpectConsistent();
}

TEST_F(NoteCommit, SlotOfAFullIndexIsRefusedNotOverflowed) {
  Pad(std::vector<string>(MAX_NOTES, "n"), MAX_NOTES);
  EXPECT_FALSE(doc.IsCommandEnabled(DocumentCommand::NewNote));
  doc.OnNewNote();
  EXPECT_TRUE(Shown(904, MessageButtons::Ok, MessageIcon::Exclamation));
  EXPECT_EQ(store.currentNote, MAX_NOTES);

  store.currentNote = MAX_NOTES + 1;  // e.g. an import filled the index meanwhile
  editor.Type("one more");
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_NOT_STORED);
  EXPECT_EQ(store.header.noteCount, MAX_NOTES);
  EXPECT_TRUE(editor.changed);
  ExpectConsistent();
}

TEST_F(NoteCommit, NewNoteStopsWhenTheTextCannotBeStored) {
  FullPad({"ab"}, 4, 2);
  editor.Type(string(100, 'x'));
  doc.OnNewNote();
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, string(100, 'x'));
  EXPECT_EQ(messages.shown.size(), 1u) << "902 only, no question";
}

TEST_F(NoteCommit, NewNoteFromTheListSwitchesToTheNoteView) {
  Pad({"one", "two"});
  settings.noteMode = 0;
  doc.OnNewNote();
  EXPECT_EQ(settings.noteMode, 1u);
  EXPECT_EQ(store.currentNote, 3u);
  EXPECT_EQ(frame.title, Title(3, 3));
}

TEST(NoteEdits, StartUpClearsRunStatesAndRecountsReminders) {
  NoteStore store;
  ASSERT_TRUE(store.Allocate());
  store.header.noteCount = 3;
  store.header.reminderCount = 5;
  store.Entry(1).flags = REMINDER_SET | REMINDER_ACTIVE | REMINDER_EDITING;
  store.Entry(2).flags = REMINDER_QUEUED;
  store.Entry(3).flags = REMINDER_ACTIVE | REMINDER_QUEUED;
  store.Entry(1).text = 0;
  store.Entry(2).text = 1;
  store.Entry(3).text = 2;
  ResetReminderRunState(store);
  EXPECT_EQ(store.Entry(1).flags, REMINDER_SET | REMINDER_ACTIVE);
  EXPECT_EQ(store.Entry(2).flags, 0u);
  EXPECT_EQ(store.Entry(3).flags, REMINDER_ACTIVE);
  EXPECT_EQ(store.header.reminderCount, 2u);
  EXPECT_TRUE(store.dirty);

  store.dirty = false;
  ResetReminderRunState(store);
  EXPECT_FALSE(store.dirty) << "a right count needs no save";
}
