#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FakeDocumentPorts.h"
#include "find/FindHistory.h"
#include "find/NoteSearch.h"

using std::string;
using Shown = std::pair<uint32_t, uint32_t>;  // note, offset

// The document as the windows: shows a match by GoToNote and keeps the
// selection where the match was put.
class FakeFindWindows : public IFindWindows {
 public:
  explicit FakeFindWindows(CNoteDocument& d) : doc(d) {}
  Result CommitCurrentNote() override { return doc.CommitCurrentNote(); }
  bool InListView() override { return listView; }
  uint32_t SelectionStart() override { return selection; }
  void ShowMatch(uint32_t note, uint32_t offset, uint32_t length) override {
    doc.GoToNote(note);
    selection = offset;
    EXPECT_EQ(length, lengthShown);
    shown.emplace_back(note, offset);
  }
  void ShowNotFound(const string& text) override { notFound.push_back(text); }
  void Beep() override { ++beeps; }

  CNoteDocument& doc;
  bool listView = false;
  uint32_t selection = 0;
  uint32_t lengthShown = 0;
  std::vector<Shown> shown;
  std::vector<string> notFound;
  int beeps = 0;
};

class Find : public NoteDocumentTest {
 protected:
  // Runs the dialog's search; the match shown, or {0, 0}.
  Shown Dialog(const string& text, int direction = FIND_FORWARD, bool ignoreCase = false, bool wholeWords = false,
               bool onePerNote = false) {
    FindRequest request{text, wholeWords, ignoreCase, onePerNote, direction};
    windows.lengthShown = static_cast<uint32_t>(text.size());
    windows.shown.clear();
    return finder.SearchNotes(request) ? windows.shown.back() : Shown{0, 0};
  }
  // Presses F3 `times` times; the matches shown.
  std::vector<Shown> Next(int times = 1) {
    windows.shown.clear();
    for (int i = 0; i < times; ++i) finder.FindNext();
    return windows.shown;
  }
  Shown Locate(const string& text, bool ignoreCase, bool wholeWords, uint32_t current = 1, uint32_t selection = 0,
               int direction = FIND_FORWARD, const CaseFold& fold = AsciiCaseFold()) {
    FindState state;
    FindRequest request{text, wholeWords, ignoreCase, false, direction};
    const FindMatch m = LocateMatch(store, state, &request, FindPlace{current, selection, false}, fold);
    return m.found ? Shown{m.note, m.offset} : Shown{0, 0};
  }

  CaseFold fold = AsciiCaseFold();
  FakeFindWindows windows{doc};
  CNoteFinder finder{store, windows, fold};
};

TEST_F(Find, IgnoreCaseFoldsAndKeptCaseDoesNot) {
  Pad({"a NOTE", "Note", "note here"});
  EXPECT_EQ(Locate("note", true, false), Shown(1, 2));
  EXPECT_EQ(Locate("note", false, false), Shown(3, 0));
  EXPECT_EQ(Locate("NOTE", true, false, 2, 1), Shown(3, 0)) << "from the selection's start";
  EXPECT_EQ(Locate("Nope", true, false), Shown(0, 0));
}

TEST_F(Find, LongTextsAreScannedToTheirEnds) {
  const string filler(37, 'n');
  Pad({filler + "nope" + filler + "NOTE", filler + "not" + filler + "e note"});
  EXPECT_EQ(Locate("note", true, false), Shown(1, 78));
  EXPECT_EQ(Locate("note", false, false), Shown(2, 79));
  EXPECT_EQ(Locate("nn", false, false, 2, 78, FIND_BACKWARD), Shown(2, 75));
}

TEST_F(Find, WholeWordsAtEdgesAndBesideHighBytes) {
  Pad({"and plan", "an apple", "(an)", "an", "plan an", "\xe9" "an\xfc", "pl\xe9n"});
  std::vector<Shown> found;
  for (uint32_t n = 1; n <= 7; ++n) found.push_back(Locate("an", false, true, n, 0));
  EXPECT_EQ(found, (std::vector<Shown>{{2, 0}, {2, 0}, {3, 1}, {4, 0}, {5, 5}, {6, 1}, {2, 0}}));
  EXPECT_EQ(Locate("an", false, false, 1, 0), Shown(1, 0)) << "inside a word without the option";
}

TEST_F(Find, BackwardWholeWordPassesARejectedOccurrence) {
  Pad({"x", "an plan"}, 2);
  EXPECT_EQ(Locate("an", false, true, 2, 7, FIND_BACKWARD), Shown(2, 0));
  EXPECT_EQ(Locate("an", false, true, 2, 0, FIND_FROM_LAST), Shown(2, 0));
  EXPECT_EQ(Locate("an", false, false, 2, 0, FIND_FROM_LAST), Shown(2, 5));
}

TEST_F(Find, FindNextMovesThroughTwoMatchesAndWraps) {
  Pad({"dog", "a cat, a cat", "bird"}, 2);
  EXPECT_EQ(Dialog("cat"), Shown(2, 2));
  EXPECT_EQ(Next(3), (std::vector<Shown>{{2, 9}, {2, 2}, {2, 9}}));
  EXPECT_EQ(windows.beeps, 0);
  EXPECT_EQ(store.currentNote, 2u);
}

TEST_F(Find, OneMatchInAllNotesThenFindNextOnlyBeeps) {
  Pad({"dog", "one cat", "bird"}, 3);
  EXPECT_EQ(Dialog("cat"), Shown(2, 4));
  EXPECT_EQ(editor.text, "one cat");
  EXPECT_EQ(Next(2), (std::vector<Shown>{{2, 4}, {2, 4}}));
  EXPECT_EQ(windows.beeps, 2);
  EXPECT_TRUE(windows.notFound.empty());
}

TEST_F(Find, NotFoundNamesTheTypedTextAndKeepsThePlace) {
  Pad({"dog", "cat"}, 2);
  windows.selection = 1;
  EXPECT_EQ(Dialog("Emu", FIND_FORWARD, true), Shown(0, 0));
  EXPECT_EQ(windows.notFound, (std::vector<string>{"Emu"}));
  EXPECT_EQ(store.currentNote, 2u);
  Next();
  EXPECT_EQ(windows.notFound.size(), 2u);
  EXPECT_EQ(windows.beeps, 1);
  EXPECT_EQ(finder.State().lastFoundNote, 0u);
}

TEST_F(Find, OneMatchPerNoteVisitsNotesInBothDirections) {
  Pad({"cat cat", "dog", "cat", "a cat"}, 2);
  EXPECT_EQ(Dialog("cat", FIND_FORWARD, false, false, true), Shown(3, 0));
  EXPECT_EQ(Next(3), (std::vector<Shown>{{4, 2}, {1, 0}, {3, 0}}));
  EXPECT_EQ(Dialog("cat", FIND_FROM_LAST, false, false, true), Shown(4, 2));
  EXPECT_EQ(Next(3), (std::vector<Shown>{{3, 0}, {1, 0}, {4, 2}}));
  EXPECT_EQ(Dialog("cat", FIND_BACKWARD, false, false, true), Shown(4, 2)) << "the current note first";
  EXPECT_EQ(windows.beeps, 0);
}

TEST_F(Find, TheFourDirections) {
  Pad({"cat 1", "cat 2 cat", "cat 3"}, 2);
  windows.selection = 4;
  EXPECT_EQ(Dialog("cat", FIND_FORWARD), Shown(2, 6));
  windows.selection = 6;
  EXPECT_EQ(Dialog("cat", FIND_BACKWARD), Shown(2, 0));
  EXPECT_EQ(Dialog("cat", FIND_BACKWARD), Shown(1, 0)) << "from position 0 into the note before";
  EXPECT_EQ(Dialog("cat", FIND_FROM_FIRST), Shown(1, 0));
  EXPECT_EQ(Dialog("cat", FIND_FROM_LAST), Shown(3, 0));
  EXPECT_EQ(Next(), (std::vector<Shown>{{2, 6}})) << "F3 keeps going backwards";
}

TEST_F(Find, ListViewSearchesOneMatchPerNoteFromTheRowsNote) {
  Pad({"cat", "a cat cat", "cat"}, 2);
  settings.noteMode = 0;
  list.FillList();
  windows.listView = true;
  windows.selection = 5;  // not read in the list
  EXPECT_EQ(Dialog("cat"), Shown(2, 2));
  EXPECT_EQ(list.selected, (std::vector<bool>{false, true, false}));
  EXPECT_TRUE(finder.State().findOnePerNote);
  EXPECT_EQ(Next(), (std::vector<Shown>{{3, 0}}));
}

TEST_F(Find, FindNextCommitsTheEditedTextFirst) {
  Pad({"cat", "dog"}, 2);
  EXPECT_EQ(Dialog("cat"), Shown(1, 0));
  doc.OnNextNote();
  editor.Type("dog cat");
  windows.selection = 0;
  EXPECT_EQ(Next(), (std::vector<Shown>{{2, 4}}));
  EXPECT_STREQ(store.Text(store.Entry(2)), "dog cat");
}

TEST_F(Find, ASelectionBeyondTheStoredTextIsClamped) {
  Pad({"cat", "xy", "zcat"}, 2);
  EXPECT_EQ(Locate("cat", false, false, 2, 500), Shown(3, 1));
  EXPECT_EQ(Locate("cat", false, false, 2, 500, FIND_BACKWARD), Shown(1, 0));
  EXPECT_EQ(Locate("y", false, false, 2, 500, FIND_BACKWARD), Shown(2, 1));
}

TEST_F(Find, TheNewNoteSlotComesAfterTheLastNote) {
  // The commit gives the empty slot up and shows note 3 before the search.
  Pad({"cat", "b", "cat cat"}, 3);
  doc.OnNewNote();
  ASSERT_TRUE(finder.BeginFind());
  EXPECT_EQ(Dialog("cat"), Shown(1, 0)) << "forwards: note 1 from its start";
  doc.OnNewNote();
  ASSERT_TRUE(finder.BeginFind());
  EXPECT_EQ(Dialog("cat", FIND_BACKWARD), Shown(3, 4)) << "backwards: the end of the last note";
  doc.OnNewNote();
  EXPECT_EQ(Next(), (std::vector<Shown>{{3, 4}}));
  EXPECT_EQ(Dialog("cat", FIND_FROM_FIRST), Shown(1, 0));
  doc.OnNewNote();
  EXPECT_EQ(Next(), (std::vector<Shown>{{1, 0}}));
  EXPECT_EQ(windows.beeps, 2) << "each time the match shown last";
}

TEST_F(Find, FindNextWithNoNotesOnlyBeeps) {
  Pad({});
  EXPECT_FALSE(finder.BeginFind());
  FindRequest request{"cat", false, false, false, FIND_FORWARD};
  EXPECT_FALSE(finder.SearchNotes(request));
  windows.notFound.clear();
  Next();
  EXPECT_EQ(windows.beeps, 1);
  EXPECT_TRUE(windows.notFound.empty());
}

TEST_F(Find, AMatchNeverBeginsOnATrailByte) {
  CaseFold dbcs = AsciiCaseFold();
  dbcs.leadByte[0x81] = true;
  dbcs.doubleByte = true;
  Pad({"\x81" "aa", "\x81" "A", "x\x81" "b\x81" "a"});
  EXPECT_EQ(Locate("a", false, false, 1, 0, FIND_FORWARD, dbcs), Shown(1, 2));
  EXPECT_EQ(Locate("\x81" "a", true, false, 2, 0, FIND_FORWARD, dbcs), Shown(3, 3)) << "a trail byte keeps its case";
  EXPECT_EQ(Locate("B", true, false, 1, 0, FIND_FORWARD, dbcs), Shown(0, 0));
  EXPECT_EQ(Locate("a", true, false, 3, 5, FIND_BACKWARD, dbcs), Shown(1, 2));
}

TEST(FindHistory, KeepsTheNewest26WithoutDuplicates) {
  const CaseFold fold = AsciiCaseFold();
  std::vector<string> history;
  for (int i = 0; i < 27; ++i) EXPECT_TRUE(AddSearchToHistory(history, "text " + std::to_string(i), fold));
  ASSERT_EQ(history.size(), FIND_HISTORY_SIZE);
  EXPECT_EQ(history.front(), "text 26");
  EXPECT_EQ(history.back(), "text 1");
  EXPECT_TRUE(AddSearchToHistory(history, "TEXT 5", fold));
  EXPECT_EQ(history.size(), FIND_HISTORY_SIZE);
  EXPECT_EQ(history[0], "TEXT 5");
  EXPECT_EQ(FindInHistory(history, "text 5", fold), 0);
  EXPECT_FALSE(AddSearchToHistory(history, "Text 5", fold)) << "already first";
  EXPECT_EQ(history[0], "TEXT 5");

  std::vector<string> stored;
  for (const char* t : {"b", "", "B", "c"}) AddStoredToHistory(stored, t, fold);
  EXPECT_EQ(stored, (std::vector<string>{"b", "c"}));
  EXPECT_EQ(FindHistoryValueName(25), "String_z");
}
