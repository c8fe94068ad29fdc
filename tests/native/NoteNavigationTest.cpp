#include <gtest/gtest.h>

#include "FakeDocumentPorts.h"

using std::string;

class NoteNavigation : public NoteDocumentTest {};

TEST_F(NoteNavigation, NextPreviousFirstLastThroughTheSlot) {
  Pad({"one", "two", "three"});
  doc.OnPreviousNote();
  EXPECT_EQ(frame.beeps, 1) << "previous at note 1";
  doc.OnNextNote();
  doc.OnNextNote();
  EXPECT_EQ(editor.text, "three");
  EXPECT_EQ(settings.lastViewed, 3u);
  doc.OnNextNote();
  EXPECT_EQ(frame.beeps, 2) << "next at the last note";

  doc.OnNewNote();
  doc.OnNextNote();
  EXPECT_EQ(frame.beeps, 3) << "next in the slot";
  EXPECT_EQ(store.currentNote, 4u);
  doc.OnFirstNote();
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(store.header.noteCount, 3u) << "the empty slot left nothing behind";
  doc.OnNewNote();
  editor.Type("four");
  doc.OnLastNote();
  EXPECT_EQ(store.currentNote, 4u);
  EXPECT_EQ(editor.text, "four");
  EXPECT_EQ(frame.title, Title(4, 4));
  doc.OnPreviousNote();
  EXPECT_EQ(editor.text, "three");
  ExpectConsistent();
}

TEST_F(NoteNavigation, PreviousFromAnEmptiedMiddleNoteStepsBackOnce) {
  Pad({"one", "two", "three"}, 2);
  editor.Type("");
  doc.OnPreviousNote();
  EXPECT_EQ(Texts(), (std::vector<string>{"one", "three"}));
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(editor.text, "one");
}

TEST_F(NoteNavigation, PreviousFromAnEmptiedLastNoteStepsBackOnce) {
  Pad({"one", "two", "three"}, 3);
  editor.Type("");
  doc.OnPreviousNote();
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, "two");
}

TEST_F(NoteNavigation, UnstorableTextAsksBeforeLeaving) {
  FullPad({"ab", "cd"}, 4, 2);
  editor.Type(string(50, 'x'));
  messages.answers = {MessageAnswer::No};
  doc.OnNextNote();
  EXPECT_EQ(store.currentNote, 2u);
  EXPECT_EQ(editor.text, string(50, 'x'));
  EXPECT_TRUE(editor.changed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, messages.LoadText(920));
  EXPECT_EQ(messages.shown[1].icon, MessageIcon::Question);

  messages.answers = {MessageAnswer::Yes};
  doc.OnNextNote();
  EXPECT_EQ(store.currentNote, 3u);
  EXPECT_EQ(editor.text, "cd");
  EXPECT_EQ(Texts()[1], "ab") << "the text that was not stored is dropped";

  editor.Type(string(50, 'x'));
  messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
  doc.OnFirstNote();
  EXPECT_EQ(store.currentNote, 3u);
  doc.OnFirstNote();
  EXPECT_EQ(store.currentNote, 1u);
  ExpectConsistent();
}

TEST_F(NoteNavigation, GoToNoteStaysWithinTheNotes) {
  Pad({"one", "two", "three"});
  doc.GoToNote(3);
  EXPECT_EQ(editor.text, "three");
  doc.GoToNote(99);
  EXPECT_EQ(store.currentNote, 3u);
  doc.GoToNote(0);
  EXPECT_EQ(store.currentNote, 1u);
}

TEST_F(NoteNavigation, GoToNoteAfterAnEmptiedNoteGoesOn) {
  Pad({"one", "two", "three"}, 2);
  editor.Type("");
  doc.GoToNote(1);
  EXPECT_EQ(store.currentNote, 1u);
  EXPECT_EQ(store.header.noteCount, 2u);
}

TEST_F(NoteNavigation, GoToCommandAsksForTheNumberOnlyAfterLeavingTheNote) {
  Pad({"one", "two", "three", "four", "five"}, 3);
  editor.Type("");
  uint32_t askedHighest = 0, askedCurrent = 0;
  doc.OnGoToNote([&](uint32_t highest, uint32_t current) {
    askedHighest = highest;
    askedCurrent = current;
    return 4u;
  });
  EXPECT_EQ(askedHighest, 4u);
  EXPECT_EQ(askedCurrent, 3u);
  EXPECT_EQ(editor.text, "five") << "note 4 as numbered after the removal";

  // Staying on the note the user would not give up asks nothing more.
  FullPad({"ab", "cd"}, 4, 2);
  editor.Type(string(50, 'x'));
  bool asked = false;
  doc.OnGoToNote([&](uint32_t, uint32_t) { return asked = true, 1u; });
  EXPECT_FALSE(asked);
  EXPECT_EQ(editor.text, string(50, 'x'));
}

TEST_F(NoteNavigation, ListViewShowsTheCurrentNoteBySelection) {
  Pad({"one", "two", "three"});
  settings.noteMode = 0;
  list.FillList();
  const int loads = editor.loads;
  doc.OnLastNote();
  EXPECT_EQ(editor.loads, loads);
  EXPECT_EQ(list.selected, (std::vector<bool>{false, false, true}));
  EXPECT_EQ(settings.lastViewed, 3u);
}

TEST_F(NoteNavigation, PropertiesOfTheSlot) {
  Pad({});
  NotePropertiesTexts texts;
  ASSERT_TRUE(doc.PrepareNoteProperties(texts));
  EXPECT_EQ(texts.number, "Note 1 of 1");
  EXPECT_EQ(texts.created, "New Note");
  EXPECT_EQ(texts.modified, "");

  FullPad({"one"}, 4, 2);
  doc.OnNewNote();
  editor.Type("too long for the pool");
  messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(doc.PrepareNoteProperties(texts));
  EXPECT_EQ(texts.number, "Note 3 of 3");
  EXPECT_EQ(texts.created, "New Note");

  editor.Type("");
  EXPECT_FALSE(doc.PrepareNoteProperties(texts)) << "the abandoned slot has no properties";
  EXPECT_EQ(store.currentNote, 2u);
}

TEST_F(NoteNavigation, PropertiesOfAStoredNote) {
  Pad({"one", "two"}, 2);
  clock.now = 777;
  editor.Type("changed");
  NotePropertiesTexts texts;
  ASSERT_TRUE(doc.PrepareNoteProperties(texts));
  EXPECT_EQ(texts.number, "Note 2 of 2");
  EXPECT_EQ(texts.created, "t101");
  EXPECT_EQ(texts.modified, "t777");

  editor.Type("");
  EXPECT_FALSE(doc.PrepareNoteProperties(texts)) << "an emptied note has no properties";
}
