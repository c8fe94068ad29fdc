#include <gtest/gtest.h>

#include "FakeDocumentPorts.h"

using C = DocumentCommand;

class NoteEnabling : public NoteDocumentTest {
 protected:
  bool On(C command) { return doc.IsCommandEnabled(command); }
};

TEST_F(NoteEnabling, EmptyPad) {
  Pad({});
  for (C c : {C::DeleteNote, C::Properties, C::Reminders, C::Print, C::PrintPreview, C::GoToNote,
              C::MoveNote, C::NextNote, C::PreviousNote, C::FirstNote, C::LastNote})
    EXPECT_FALSE(On(c)) << static_cast<int>(c);
  EXPECT_TRUE(On(C::NewNote));
  editor.Type("typing");
  EXPECT_TRUE(On(C::DeleteNote));
  EXPECT_TRUE(On(C::Properties));
  EXPECT_TRUE(On(C::Print));
  EXPECT_FALSE(On(C::MoveNote)) << "nowhere to move to";
}

TEST_F(NoteEnabling, SingleNoteDeletableOnlyInNoteViewWithText) {
  Pad({"only"});
  EXPECT_TRUE(On(C::DeleteNote));
  settings.noteMode = 0;
  list.Select({1});
  EXPECT_FALSE(On(C::DeleteNote));
  EXPECT_TRUE(On(C::Properties));
  EXPECT_TRUE(On(C::Print));
  EXPECT_FALSE(On(C::GoToNote));
}

TEST_F(NoteEnabling, NavigationByPosition) {
  Pad({"a", "b", "c"}, 2);
  EXPECT_TRUE(On(C::NextNote));
  EXPECT_TRUE(On(C::LastNote));
  EXPECT_TRUE(On(C::PreviousNote));
  EXPECT_TRUE(On(C::FirstNote));
  doc.GoToNote(3);
  EXPECT_FALSE(On(C::NextNote));
  EXPECT_FALSE(On(C::LastNote));
  doc.GoToNote(1);
  EXPECT_FALSE(On(C::PreviousNote));
  EXPECT_FALSE(On(C::FirstNote));
  EXPECT_TRUE(On(C::GoToNote));
  EXPECT_TRUE(On(C::MoveNote));
}

TEST_F(NoteEnabling, ListViewDependsOnTheSelection) {
  Pad({"a", "b", "c"});
  settings.noteMode = 0;
  list.Select({1, 2});
  EXPECT_FALSE(On(C::Properties));
  EXPECT_FALSE(On(C::Reminders));
  EXPECT_FALSE(On(C::MoveNote));
  EXPECT_TRUE(On(C::Print));
  EXPECT_TRUE(On(C::PrintPreview));
  list.Select({2});
  EXPECT_TRUE(On(C::Properties));
  EXPECT_TRUE(On(C::MoveNote));
}

TEST_F(NoteEnabling, NoteViewDependsOnTheText) {
  Pad({"a", "b"});
  editor.Type("");
  EXPECT_FALSE(On(C::Print));
  EXPECT_FALSE(On(C::PrintPreview));
  EXPECT_FALSE(On(C::Properties));
  EXPECT_FALSE(On(C::MoveNote));
  EXPECT_TRUE(On(C::DeleteNote));
}
