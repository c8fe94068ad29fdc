#include <gtest/gtest.h>

#include "FakeDocumentPorts.h"

using std::string;
using Order = std::vector<string>;

class NoteMove : public NoteDocumentTest {
 protected:
  void SetUp() override {
    NoteDocumentTest::SetUp();
    Pad({"n1", "n2", "n3", "n4"});
  }
};

TEST_F(NoteMove, FirstAfterThird) {
  EXPECT_EQ(doc.MoveNote(1, 4), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n2", "n3", "n1", "n4"}));
  EXPECT_EQ(store.currentNote, 3u);
  ExpectConsistent();
}

TEST_F(NoteMove, BeforeTheFirstAndAfterTheLast) {
  EXPECT_EQ(doc.MoveNote(3, 1), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n3", "n1", "n2", "n4"}));
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(doc.MoveNote(2, 5), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n3", "n2", "n4", "n1"}));
  EXPECT_EQ(store.currentNote, 4u);
  ExpectConsistent();
}

TEST_F(NoteMove, OntoItselfAndTheNeighbouringPlaces) {
  EXPECT_EQ(doc.MoveNote(2, 2), RESULT_OK);
  EXPECT_FALSE(store.dirty);
  EXPECT_EQ(doc.MoveNote(2, 3), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n1", "n2", "n3", "n4"}));
  EXPECT_TRUE(store.dirty) << "taken out and put back";
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(doc.MoveNote(2, 1), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n2", "n1", "n3", "n4"}));
  EXPECT_EQ(doc.MoveNote(2, 4), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n2", "n3", "n1", "n4"}));
  EXPECT_EQ(store.currentNote, 3u);
  ExpectConsistent();
}

TEST_F(NoteMove, KeepsDatesFlagsReminderAndTheCount) {
  store.Entry(1).flags = REMINDER_SET | REMINDER_ACTIVE;
  store.Entry(1).reminderTime = 123456;
  store.header.reminderCount = 1;
  EXPECT_EQ(doc.MoveNote(1, 5), RESULT_OK);
  const NoteEntry& moved = store.Entry(4);
  EXPECT_EQ(store.Text(moved), string("n1"));
  EXPECT_EQ(moved.created, 100);
  EXPECT_EQ(moved.modified, 200);
  EXPECT_EQ(moved.flags, REMINDER_SET | REMINDER_ACTIVE);
  EXPECT_EQ(moved.reminderTime, 123456);
  EXPECT_EQ(store.header.reminderCount, 1u);
  ExpectConsistent();
}

TEST_F(NoteMove, OutOfRangeChangesNothing) {
  EXPECT_EQ(doc.MoveNote(5, 1), NOTE_NOT_STORED);
  EXPECT_EQ(doc.MoveNote(1, 6), NOTE_NOT_STORED);
  EXPECT_EQ(doc.MoveNote(0, 2), NOTE_NOT_STORED);
  EXPECT_EQ(Texts(), (Order{"n1", "n2", "n3", "n4"}));
  EXPECT_FALSE(store.dirty);
}

TEST_F(NoteMove, CommandRefreshesTheListInListView) {
  settings.noteMode = 0;
  list.FillList();
  store.currentNote = 3;
  doc.MoveCurrentNoteAfter(0);
  EXPECT_EQ(Texts(), (Order{"n3", "n1", "n2", "n4"}));
  EXPECT_EQ(list.fills, 2);
  EXPECT_EQ(list.centers, 1);
  EXPECT_EQ(list.selected, (std::vector<bool>{true, false, false, false}));
}

TEST_F(NoteMove, CommandShowsTheNoteAtItsNewPlace) {
  store.currentNote = 3;
  doc.MoveCurrentNoteAfter(4);
  EXPECT_EQ(Texts(), (Order{"n1", "n2", "n4", "n3"}));
  EXPECT_EQ(editor.text, "n3");
  EXPECT_EQ(frame.title, Title(4, 4));
}

class NoteInsert : public NoteDocumentTest {};

TEST_F(NoteInsert, TakesOverTheFieldsAndKeepsTheCurrentNumber) {
  Pad({"n1", "n2"}, 2);
  const NoteEntry fields{11, 22, 999, REMINDER_SET | REMINDER_ACTIVE, 33};
  EXPECT_EQ(doc.InsertNote(1, "new", fields), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"new", "n1", "n2"}));
  const NoteEntry& e = store.Entry(1);
  EXPECT_EQ(e.created, 11);
  EXPECT_EQ(e.modified, 22);
  EXPECT_EQ(e.flags, REMINDER_SET | REMINDER_ACTIVE);
  EXPECT_EQ(e.reminderTime, 33);
  EXPECT_EQ(store.header.reminderCount, 1u);
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(PoolBytes(14), string("new\0n1\0n2\0\0\0\0\0", 14));
  ExpectConsistent();
}

TEST_F(NoteInsert, ZeroDatesBecomeNowAndPastTheEndAppends) {
  Pad({"n1"});
  clock.now = 4321;
  EXPECT_EQ(doc.InsertNote(7, "tail", NoteEntry{}), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n1", "tail"}));
  EXPECT_EQ(store.Entry(2).created, 4321);
  EXPECT_EQ(store.Entry(2).modified, 4321);
  EXPECT_EQ(doc.InsertNote(2, "mid", NoteEntry{}), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{"n1", "mid", "tail"}));
  ExpectConsistent();
}

TEST_F(NoteInsert, RefusalsLeaveTheStoreAlone) {
  Pad({"n1"});
  EXPECT_EQ(doc.InsertNote(1, "", NoteEntry{}), NOTE_EMPTY);
  EXPECT_EQ(doc.InsertNote(1, string(MAX_NOTE_LENGTH + 1, 'x'), NoteEntry{}), NOTE_NOT_STORED);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(store.dirty);

  FullPad({"n1"}, 5, 1);
  EXPECT_EQ(doc.InsertNote(1, "abcd", NoteEntry{}), NOTE_NOT_STORED);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, messages.LoadText(902));
  EXPECT_EQ(doc.InsertNote(1, "abc", NoteEntry{}), RESULT_OK);
  ExpectConsistent();
}

TEST_F(NoteInsert, FullIndexRefusedSilently) {
  Pad(std::vector<string>(MAX_NOTES, "n"));
  EXPECT_EQ(doc.InsertNote(1, "more", NoteEntry{}), NOTE_NOT_STORED);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(store.header.noteCount, MAX_NOTES);
}

TEST_F(NoteInsert, AStoredNoteLongerThanTheLimitMovesIntact) {
  const string big(MAX_NOTE_LENGTH + 100, 'b');
  Pad({"n1", big, "n3"}, 2);
  EXPECT_EQ(doc.MoveNote(2, 1), RESULT_OK);
  EXPECT_EQ(Texts(), (Order{big, "n1", "n3"}));
  ExpectConsistent();
}
