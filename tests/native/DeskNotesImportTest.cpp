#include <gtest/gtest.h>

#include <optional>

#include "FakeDocumentPorts.h"
#include "import/DeskNotesImport.h"
#include "res/resource.h"
#include "shared/FakeDeskNotes.h"

namespace {

std::string Done(uint32_t added, uint32_t failed) {
  std::string text = StringTableText(IDS_IMPORT_DONE);
  ReplacePlaceholder(text, "<ADDED>", std::to_string(added));
  ReplacePlaceholder(text, "<FAILED>", std::to_string(failed));
  return text;
}

}  // namespace

TEST(DeskNotesText, CarriageReturnsBecomeLineEndsAndTheTextEndsAtItsZero) {
  std::string note;
  ASSERT_TRUE(ConvertDeskNotesText("one\rtwo\r\rthree\r", note));
  EXPECT_EQ(note, "one\r\ntwo\r\n\r\nthree\r\n");
  ASSERT_TRUE(ConvertDeskNotesText("a\r\nb\nc", note));
  EXPECT_EQ(note, "a\r\nb\r\nc") << "no doubled or lone line feeds";
  ASSERT_TRUE(ConvertDeskNotesText(std::string("ab\0cd", 5), note));
  EXPECT_EQ(note, "ab");
}

TEST(DeskNotesText, TooLongAfterConversionFailsInsteadOfBeingCut) {
  std::string note;
  EXPECT_TRUE(ConvertDeskNotesText(std::string(MAX_NOTE_LENGTH, 'x'), note));
  EXPECT_EQ(note.size(), MAX_NOTE_LENGTH);
  EXPECT_TRUE(ConvertDeskNotesText(std::string(MAX_NOTE_LENGTH / 2, '\r') + "x", note));
  EXPECT_FALSE(ConvertDeskNotesText(std::string(MAX_NOTE_LENGTH / 2, '\r') + "xy", note));
  EXPECT_FALSE(ConvertDeskNotesText(std::string(MAX_NOTE_LENGTH + 1, 'x'), note));
}

class DeskNotesImport : public NoteDocumentTest {
 protected:
  bool Import() { return ImportDeskNotes(doc, source, messages, 5000, counts); }
  FakeDeskNotes source;
  ImportCounts counts;
};

TEST_F(DeskNotesImport, SkipsZeroAppendsInOrderAndCountsTheEmptyAsFailed) {
  Pad({"mine"});
  source.notes = {{"0", "skipped", 1, 2}, {"1", "first\rline", 10, 20}, {"2", "", 30, 40}, {"7", "late", {}, 60}};
  messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Import());
  EXPECT_EQ(counts.added, 2u);
  EXPECT_EQ(counts.failed, 1u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"mine", "first\r\nline", "late"}));
  EXPECT_EQ(store.Entry(2).created, 10);
  EXPECT_EQ(store.Entry(2).modified, 20);
  EXPECT_EQ(store.Entry(3).created, 5000) << "missing time: now";
  EXPECT_EQ(store.Entry(3).modified, 60);
  EXPECT_EQ(store.Entry(2).flags, 0u);
  EXPECT_TRUE(store.dirty);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{StringTableText(IDS_ASK_IMPORT_DESKNOTES), Done(2, 1)}));
  EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
  ExpectConsistent();
}

TEST_F(DeskNotesImport, UnreadableAndOverlongTextsFail) {
  source.notes = {{"a", {}, 1, 1}, {"b", std::string(MAX_NOTE_LENGTH, '\r'), 1, 1}, {"c", "ok", 1, 1}};
  messages.answers = {MessageAnswer::Yes};
  EXPECT_TRUE(Import());
  EXPECT_EQ(counts.added, 1u);
  EXPECT_EQ(counts.failed, 2u);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"ok"}));
}

TEST_F(DeskNotesImport, NoKeyNoNotesAndNo) {
  Pad({"mine"});
  source.exists = false;
  EXPECT_FALSE(Import());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{StringTableText(IDS_NO_DESKNOTES)}));
  source.exists = true;
  messages.shown.clear();
  EXPECT_TRUE(Import());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{Done(0, 0)})) << "no subkey: no question";
  source.notes = {{"1", "x", 1, 1}};
  messages.shown.clear();
  messages.answers = {MessageAnswer::No};
  EXPECT_TRUE(Import());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{StringTableText(IDS_ASK_IMPORT_DESKNOTES), Done(0, 0)}));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"mine"}));
  EXPECT_FALSE(store.dirty);
}

TEST_F(DeskNotesImport, AnEditThatCannotBeStoredAsksFirst) {
  Pad({"mine"});
  source.notes = {{"1", "x", 1, 1}};
  editor.Type(std::string(MAX_NOTE_LENGTH + 1, 'y'));
  messages.answers = {MessageAnswer::No, MessageAnswer::No};  // keep it whole, then stay
  EXPECT_FALSE(Import());
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, StringTableText(IDS_ASK_DISCARD_NOTE));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"mine"}));
  EXPECT_TRUE(editor.changed) << "the edit is still there";
  messages.shown.clear();
  messages.answers = {MessageAnswer::No, MessageAnswer::Yes, MessageAnswer::Yes};
  EXPECT_TRUE(Import());
  EXPECT_EQ(Texts(), (std::vector<std::string>{"mine", "x"}));
}
