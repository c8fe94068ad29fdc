#include <gtest/gtest.h>

#include "FakeDocumentPorts.h"
#include "document/NoteEdits.h"

using std::string;

class NoteDelete : public NoteDocumentTest {};

TEST_F(NoteDelete, SecondOfFourShowsTheFormerThirdAsSecond) {
  Pad({"one", "two", "three", "four"}, 2);
  messages.answers = {MessageAnswer::Yes};
  doc.OnDeleteNote();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Are you sure you want this note deleted?");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(Texts(), (std::vector<string>{"one", "three", "four"}));
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, "three");
  EXPECT_FALSE(editor.changed);
  EXPECT_EQ(frame.title, Title(2, 3));
  EXPECT_EQ(PoolBytes(18), string("one\0three\0four\0\0\0\0", 18));
  ExpectConsistent();
}

TEST_F(NoteDelete, NoKeepsTheNoteAndAnEmptyNoteGoesWithoutQuestion) {
  Pad({"one", "two"}, 2);
  messages.answers = {MessageAnswer::No};
  doc.OnDeleteNote();
  EXPECT_EQ(store.header.noteCount, 2u);
  EXPECT_EQ(editor.text, "two");
  EXPECT_FALSE(store.dirty);

  editor.Type("");
  doc.OnDeleteNote();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(Texts(), (std::vector<string>{"one"}));
  EXPECT_EQ(store.currentNote, 1u) << "the last note removed: the one before shows";
  ExpectConsistent();
}

TEST_F(NoteDelete, WithoutVerifyNoQuestion) {
  settings.verifyDelete = 0;
  Pad({"one", "two", "three"}, 3);
  doc.OnDeleteNote();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, "two");
  ExpectConsistent();
}

TEST_F(NoteDelete, OnlyNoteLeavesAnEmptyPadWithAZeroPool) {
  Pad({"the only note"});
  settings.verifyDelete = 0;
  doc.OnDeleteNote();
  EXPECT_EQ(store.header.noteCount, 0u);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(store.poolHighWater, 0u);
  EXPECT_EQ(PoolBytes(20), string(20, '\0'));
  EXPECT_EQ(frame.title, Title(1, 1));
  EXPECT_TRUE(store.dirty);
  EXPECT_FALSE(doc.IsCommandEnabled(DocumentCommand::DeleteNote));
  ExpectConsistent();
}

TEST_F(NoteDelete, ActiveReminderLeavesTheCount) {
  Pad({"one", "two", "three"}, 2);
  store.Entry(2).flags = REMINDER_SET | REMINDER_ACTIVE;
  store.Entry(3).flags = REMINDER_SET | REMINDER_ACTIVE;
  store.header.reminderCount = 2;
  doc.DeleteCurrentNote();
  EXPECT_EQ(store.header.reminderCount, 1u);
  EXPECT_EQ(store.Entry(2).flags, REMINDER_SET | REMINDER_ACTIVE) << "note 3 moved down intact";
  doc.DeleteCurrentNote();
  EXPECT_EQ(store.header.reminderCount, 0u);
  ExpectConsistent();
}

TEST_F(NoteDelete, TheSlotIsNeverDeleted) {
  Pad({"one"}, 2);
  doc.DeleteCurrentNote();
  EXPECT_EQ(Texts(), (std::vector<string>{"one"}));
  EXPECT_FALSE(store.dirty);
}

TEST_F(NoteDelete, SeveralFromTheListRenumberTheRest) {
  Pad({"n1", "n2", "n3", "n4", "n5"}, 1);
  settings.noteMode = 0;
  list.Select({2, 4});
  messages.answers = {MessageAnswer::Yes};
  doc.OnDeleteNote();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "You have selected 2 notes to be deleted. This operation CANNOT be undone. \n\n"
            "Are you sure these notes should be deleted?");
  EXPECT_EQ(Texts(), (std::vector<string>{"n1", "n3", "n5"}));
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(list.fills, 1);
  EXPECT_EQ(list.selected, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(frame.title, "(List View: 3 notes)");
  ExpectConsistent();
}

TEST_F(NoteDelete, SeveralAreAlwaysAskedAndNoStops) {
  settings.verifyDelete = 0;
  Pad({"n1", "n2", "n3"});
  settings.noteMode = 0;
  list.Select({1, 2});
  doc.OnDeleteNote();
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(store.header.noteCount, 3u);
}

TEST_F(NoteDelete, OneFromTheListFollowsVerifyDelete) {
  settings.verifyDelete = 0;
  Pad({"n1", "n2", "n3"});
  settings.noteMode = 0;
  list.Select({3});
  doc.OnDeleteNote();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Texts(), (std::vector<string>{"n1", "n2"}));
  EXPECT_EQ(store.currentNote, 2u) << "lowered to the last note";
  ExpectConsistent();
}

TEST_F(NoteDelete, AllFromTheListLeaveAnEmptyPad) {
  Pad({"n1", "n2", "n3"});
  store.Entry(1).flags = REMINDER_ACTIVE;
  store.header.reminderCount = 1;
  settings.noteMode = 0;
  list.Select({1, 2, 3});
  messages.answers = {MessageAnswer::Yes};
  doc.OnDeleteNote();
  EXPECT_EQ(store.header.noteCount, 0u);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(frame.title, "(List View: 0 notes)");
  EXPECT_EQ(PoolBytes(12), string(12, '\0'));
  ExpectConsistent();
}

// Removing a selection in one pass leaves the same store as removing its
// notes one at a time, reminders and dates included.
TEST_F(NoteDelete, SelectionsGoInOnePassAsOneByOne) {
  const std::vector<std::vector<uint32_t>> selections = {
      {1}, {8}, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 3, 5, 7}, {2, 4, 6, 8}, {2, 3, 6}, {1, 8}, {4, 5, 6, 7, 8}};
  const std::vector<std::string> texts = {"a", "bb", "c", "dddd", "e\r\ne", "f", "ggggggg", "h"};
  for (const auto& numbers : selections) {
    NoteStore reference;
    ASSERT_TRUE(reference.Allocate());
    for (NoteStore* s : {&reference, &store}) {
      s->ResetToEmptyPad();
      for (uint32_t n = 1; n <= texts.size(); ++n) {
        const std::string& text = texts[n - 1];
        const uint32_t flags = n % 3 == 0 ? REMINDER_SET | REMINDER_ACTIVE : 0;
        ASSERT_TRUE(PlaceNote(*s, n, text.data(), uint32_t(text.size()), NoteEntry{int32_t(n), 50, 0, flags, 7}));
      }
    }
    for (auto n = numbers.rbegin(); n != numbers.rend(); ++n) RemoveNote(reference, *n);
    RemoveNotes(store, numbers);
    ASSERT_EQ(store.header.noteCount, reference.header.noteCount);
    EXPECT_EQ(store.header.reminderCount, reference.header.reminderCount);
    EXPECT_EQ(std::memcmp(store.entries, reference.entries, sizeof(NoteEntry) * (store.header.noteCount + 1)), 0)
        << "index and slot";
    EXPECT_EQ(std::memcmp(store.pool, reference.pool, 64), 0);
    ExpectConsistent();
  }
}

TEST_F(NoteDelete, EveryOtherNoteOfAFullPadFromTheList) {
  std::vector<std::string> texts;
  std::vector<uint32_t> odd;
  for (uint32_t n = 1; n <= MAX_NOTES; ++n) {
    texts.push_back("note " + std::to_string(n));
    if (n % 2 == 1) odd.push_back(n);
  }
  Pad(texts, 1);
  settings.noteMode = 0;
  list.Select(odd);
  messages.answers = {MessageAnswer::Yes};
  doc.OnDeleteNote();
  ASSERT_EQ(store.header.noteCount, MAX_NOTES / 2);
  EXPECT_EQ(string(store.Text(store.Entry(5000))), "note 10000");
  EXPECT_EQ(string(store.Text(store.Entry(MAX_NOTES / 2))), "note 16384");
  EXPECT_EQ(list.fills, 1);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(frame.title, "(List View: 8192 notes)");
  ExpectConsistent();
}
