#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <tuple>
#include <vector>

#include "FakeDocumentPorts.h"
#include "document/NoteEdits.h"
#include "reminders/DueQueue.h"
#include "reminders/Intervals.h"
#include "reminders/SetReminder.h"

namespace {

// The runtime's local time in a zone `hours` east of UTC without daylight
// saving, for as long as the object lives.
class LocalZone {
 public:
  explicit LocalZone(int hours) {
    if (const char* tz = std::getenv("TZ")) saved = tz;
    setenv("TZ", ("QST" + std::to_string(-hours)).c_str(), 1);
    tzset();
  }
  ~LocalZone() {
    if (saved.empty()) unsetenv("TZ"); else setenv("TZ", saved.c_str(), 1);
    tzset();
  }
  int64_t At(int y, int mo, int d, int h, int mi, int s) {
    int64_t t = 0;
    EXPECT_TRUE(local.FromLocal(LocalDateTime{y, mo, d, h, mi, s}, t));
    return t;
  }
  CRuntimeLocalTime local;

 private:
  std::string saved;
};

bool IsDay(const LocalDateTime& a, int y, int m, int d) {
  return a.year == y && a.month == m && a.day == d;
}

constexpr uint32_t PENDING = REMINDER_SET | REMINDER_ACTIVE;

}  // namespace

TEST(ReminderIntervals, FirstEntryAtLeastTheSettingElseTheLast) {
  EXPECT_STREQ(INTERVALS[1].name, "10 Minutes");
  EXPECT_EQ(INTERVALS[17].seconds, 2419200u);
  EXPECT_EQ(IntervalIndex(0), 0);
  EXPECT_EQ(IntervalIndex(300), 0);
  EXPECT_EQ(IntervalIndex(301), 1);
  EXPECT_EQ(IntervalIndex(4000), 6) << "4000 s shows \"2 Hours\"";
  EXPECT_EQ(IntervalIndex(2419201), 17);
  EXPECT_EQ(IntervalSeconds(-1), 300u);
  EXPECT_EQ(IntervalSeconds(18), 2419200u);
}

TEST(ReminderIntervals, FixedTimeGoesThroughLocalMidnightOfTheYear2000) {
  LocalZone zone(-5);
  int64_t picker = 0;
  uint32_t back = 0;
  ASSERT_TRUE(FixedTimeToPicker(zone.local, 32400, picker));
  EXPECT_EQ(picker, 946684800 + 5 * 3600 + 32400);
  ASSERT_TRUE(FixedTimeFromPicker(zone.local, zone.At(2024, 7, 1, 9, 30, 5), back));
  EXPECT_EQ(back, 34205u) << "a picker on another date keeps its time of day";
}

TEST(ReminderDateRange, OnlyDaysWhollyInsideThe32BitRange) {
  ReminderDateRange range{};
  for (const auto& [hours, first, last] : {std::tuple{0, 1, 18}, {-5, 1, 17}, {3, 2, 18}}) {
    LocalZone zone(hours);
    ASSERT_TRUE(ReminderDatePickerRange(zone.local, range));
    EXPECT_TRUE(IsDay(range.first, 1970, 1, first)) << hours;
    EXPECT_TRUE(IsDay(range.last, 2038, 1, last)) << hours;
  }
}

class SetReminderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.Allocate());
    store.header.noteCount = 2;
  }
  ReminderDialogStart Start() {
    ReminderDialogStart start;
    EXPECT_TRUE(BeginSetReminder(store, settings, now, zone.local, start));
    return start;
  }
  NoteEntry& Note() { return store.Entry(1); }

  LocalZone zone{1};
  NoteStore store;
  Settings settings;
  int32_t now = static_cast<int32_t>(zone.At(2024, 3, 5, 10, 0, 40));
  int32_t nowMinute = now - 40;
};

TEST_F(SetReminderTest, StartingValuesFollowTheNotesReminder) {
  EXPECT_EQ(Start().pickedDate, nowMinute + 86400) << "no reminder: one Remind Time ahead";
  EXPECT_EQ(Note().flags, REMINDER_EDITING);
  Note() = NoteEntry{0, 0, 0, PENDING, now - 3600};
  EXPECT_EQ(Start().pickedTime, now - 3600) << "a pending one, even overdue";
  Note() = NoteEntry{0, 0, 0, REMINDER_SET, now + 600};
  EXPECT_EQ(Start().pickedDate, now + 600) << "switched off but ahead";
  Note() = NoteEntry{0, 0, 0, REMINDER_SET, nowMinute};
  EXPECT_EQ(Start().pickedDate, nowMinute + 86400) << "dismissed: the defaults again";
  settings.remindTime = UINT32_MAX;
  EXPECT_EQ(Start().pickedDate, REMINDER_TIME_LAST);

  store.currentNote = 3;  // the new-note slot
  ReminderDialogStart start;
  EXPECT_FALSE(BeginSetReminder(store, settings, now, zone.local, start));
  EXPECT_EQ(store.Entry(3).flags, 0u);
}

TEST_F(SetReminderTest, FixedTimeProposesTomorrowAtNine) {
  settings.useFixedTime = 1;
  const ReminderDialogStart start = Start();
  EXPECT_TRUE(start.enabled);
  int32_t chosen = 0;
  ASSERT_EQ(ComposeReminderTime(zone.local, start.pickedDate, start.pickedTime, true, now, chosen),
            ReminderCheck::Ok);
  EXPECT_EQ(chosen, zone.At(2024, 3, 6, 9, 0, 0));
}

TEST_F(SetReminderTest, ComposedMomentMustBeAheadAndStorable) {
  int32_t chosen = 0;
  const int64_t earlier = zone.At(2024, 3, 5, 10, 0, 0);
  EXPECT_EQ(ComposeReminderTime(zone.local, earlier, earlier, true, now, chosen), ReminderCheck::InPast);
  EXPECT_EQ(ComposeReminderTime(zone.local, earlier, earlier, false, now, chosen), ReminderCheck::Ok);
  EXPECT_EQ(chosen, earlier) << "a switched-off reminder keeps a past time";

  const int64_t lastDay = zone.At(2038, 1, 18, 0, 0, 0);
  const int64_t lateTime = zone.At(2000, 1, 1, 23, 59, 59);
  EXPECT_EQ(ComposeReminderTime(zone.local, lastDay, lateTime, true, now, chosen), ReminderCheck::Ok);
  EXPECT_EQ(ComposeReminderTime(zone.local, lastDay + 86400, lateTime, true, now, chosen),
            ReminderCheck::OutOfRange)
      << "never wrapped into a 32-bit past";
  EXPECT_EQ(chosen, lastDay + 86399) << "left as the last good check set it";
}

TEST_F(SetReminderTest, ConfirmedChoiceKeepsFlagsAndCountInStep) {
  ASSERT_TRUE(ApplyReminderChoice(store, 1, true, now + 60));
  EXPECT_EQ(Note().flags, PENDING);
  EXPECT_EQ(store.header.reminderCount, 1u);
  EXPECT_TRUE(store.dirty);
  store.dirty = false;
  EXPECT_FALSE(ApplyReminderChoice(store, 1, true, now + 60)) << "same choice";
  EXPECT_FALSE(store.dirty);
  EXPECT_EQ(store.header.reminderCount, 1u);

  ASSERT_TRUE(ApplyReminderChoice(store, 1, false, now + 120));
  EXPECT_EQ(Note().flags, REMINDER_SET);
  EXPECT_EQ(Note().reminderTime, now + 120) << "kept with the box off";
  EXPECT_EQ(store.header.reminderCount, 0u);

  // A popup dismissed the reminder while the dialog was open, and another
  // note's reminder is pending: switching off must not take that one's count.
  store.Entry(2).flags = PENDING;
  store.header.reminderCount = 1;
  Note().flags = REMINDER_SET | REMINDER_EDITING;
  static_cast<void>(ApplyReminderChoice(store, 1, false, now));
  EXPECT_EQ(store.header.reminderCount, 1u);
  EndSetReminder(store, 1);
  EXPECT_EQ(Note().flags, REMINDER_SET);
}

class DueQueueTest : public NoteDocumentTest {
 protected:
  // Notes "a".."f"; the listed ones pending and announced.
  void Announced(const std::string& queued) {
    Pad({"a", "b", "c", "d", "e", "f"});
    for (uint32_t n = 1; n <= 6; ++n) {
      if (queued.find(static_cast<char>('a' + n - 1)) == std::string::npos) continue;
      store.Entry(n).flags = PENDING | REMINDER_QUEUED;
      ++store.header.reminderCount;
    }
  }
  // The note shown, a colon, the notes waiting.
  std::string Queue() {
    std::string names = queue.Showing() ? store.Text(store.Entry(queue.Showing())) : "";
    names += ":";
    for (uint32_t n : queue.Waiting()) names += store.Text(store.Entry(n));
    return names;
  }

  CDueQueue queue;
  const int32_t tenForty = 1704103240;  // 2024-01-01 10:00:40 UTC
};

TEST_F(DueQueueTest, OneLoopShowsTheNotesInTurnAndAnswersChangeThem) {
  Announced("be");
  EXPECT_TRUE(queue.Add(store, 2));
  EXPECT_EQ(queue.Next(store), 2u);
  EXPECT_FALSE(queue.Add(store, 5)) << "re-entered from the popup's loop";
  EXPECT_TRUE(queue.Busy());

  EXPECT_EQ(queue.Answer(store, PopupAnswer::Snooze, 1, tenForty), 0u);
  EXPECT_EQ(store.Entry(2).reminderTime, 1704103860) << "10:00:40 + 10 Minutes = 10:11:00";
  EXPECT_EQ(store.Entry(2).flags, PENDING);
  EXPECT_TRUE(store.dirty);

  EXPECT_EQ(queue.Next(store), 5u);
  EXPECT_EQ(queue.Answer(store, PopupAnswer::Dismiss, 0, tenForty), 5u);
  EXPECT_EQ(store.Entry(5).flags, REMINDER_SET);
  EXPECT_EQ(store.header.reminderCount, 1u);
  EXPECT_EQ(queue.Next(store), 0u);
  EXPECT_FALSE(queue.Busy());
}

TEST_F(DueQueueTest, DismissAfterTheNoteWasDeletedLeavesTheCountAlone) {
  Announced("bc");
  ASSERT_TRUE(queue.Add(store, 2));
  ASSERT_EQ(queue.Next(store), 2u);
  RemoveNotes(store, {2});
  queue.NotesRemoved({2});
  EXPECT_EQ(queue.Answer(store, PopupAnswer::Dismiss, 0, tenForty), 0u);
  EXPECT_EQ(store.header.reminderCount, 1u) << "note c's reminder still counts";
  EXPECT_EQ(store.Entry(2).flags, PENDING | REMINDER_QUEUED);
  EXPECT_EQ(Queue(), ":c");
}

TEST_F(DueQueueTest, QuitLeavesRemindersPendingAndHandsThemBackToTheScan) {
  Announced("ad");
  store.dirty = false;
  ASSERT_TRUE(queue.Add(store, 1));
  ASSERT_EQ(queue.Next(store), 1u);
  EXPECT_EQ(queue.Answer(store, PopupAnswer::Quit, 0, tenForty), 0u);
  EXPECT_EQ(queue.Next(store), 0u);
  EXPECT_EQ(store.Entry(1).flags, PENDING);
  EXPECT_EQ(store.Entry(4).flags, PENDING);
  EXPECT_EQ(store.header.reminderCount, 2u);
  EXPECT_FALSE(store.dirty);
}

TEST_F(DueQueueTest, StaleNumbersAreDroppedAndQueuedNotesStillFound) {
  Announced("ce");
  // The due message for e still said 5 when d was deleted.
  RemoveNotes(store, {4});
  EXPECT_TRUE(queue.Add(store, 3));
  EXPECT_EQ(Queue(), ":ce");
  EXPECT_EQ(queue.Next(store), 3u);
  EXPECT_FALSE(queue.Add(store, 5)) << "5 is past the last note now";
  EXPECT_EQ(Queue(), "c:e");

  store.Entry(4).flags = PENDING;  // e's popup answered some other way
  static_cast<void>(queue.Answer(store, PopupAnswer::Snooze, 0, tenForty));
  EXPECT_EQ(queue.Next(store), 0u);
}

TEST_F(DueQueueTest, WaitingNumbersFollowDeletesInsertsAndMoves) {
  Announced("bcef");
  ASSERT_TRUE(queue.Add(store, 2));
  ASSERT_EQ(queue.Next(store), 2u);
  EXPECT_EQ(Queue(), "b:cef");

  RemoveNotes(store, {1, 5});
  queue.NotesRemoved({1, 5});
  EXPECT_EQ(Queue(), "b:cf");

  ASSERT_TRUE(PlaceNote(store, 2, "x", 1, NoteEntry{}));
  queue.NoteInserted(2);
  ASSERT_TRUE(PlaceNote(store, 9, "y", 1, NoteEntry{}));
  queue.NoteInserted(9);
  EXPECT_EQ(Queue(), "b:cf");  // b x c d f y

  ASSERT_EQ(doc.MoveNote(5, 1), RESULT_OK);  // f in front of b
  queue.NoteMoved(5, 1);
  EXPECT_EQ(Queue(), "b:cf");
  ASSERT_EQ(doc.MoveNote(3, 7), RESULT_OK);  // x behind y
  queue.NoteMoved(3, 7);
  EXPECT_EQ(Queue(), "b:cf");
  ASSERT_EQ(doc.MoveNote(1, 4), RESULT_OK);  // f in front of d
  queue.NoteMoved(1, 4);
  EXPECT_EQ(Queue(), "b:cf");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"b", "c", "f", "d", "y", "x"}));
}

// The document tells the queue of every renumbering its commands make.
TEST_F(DueQueueTest, DocumentCommandsKeepWaitingNumbersOnTheirNotes) {
  Announced("bcef");
  doc.SetNumbering(&queue);
  ASSERT_TRUE(queue.Add(store, 2));
  ASSERT_EQ(queue.Next(store), 2u);

  store.currentNote = 1;  // "a" emptied in the editor is deleted
  doc.ShowCurrentNote();
  editor.Type("");
  EXPECT_EQ(doc.CommitCurrentNote(), NOTE_EMPTY);
  EXPECT_EQ(Queue(), "b:cef");

  ASSERT_EQ(doc.InsertNote(1, "x", NoteEntry{}), RESULT_OK);
  EXPECT_EQ(Queue(), "b:cef");  // x b c d e f

  store.currentNote = 6;  // f in front of x
  doc.MoveCurrentNoteAfter(0);
  EXPECT_EQ(Queue(), "b:cef");  // f x b c d e

  settings.noteMode = 0;
  list.FillList();
  list.Select({3, 4});  // b and c from the list
  messages.answers.push_back(MessageAnswer::Yes);
  doc.OnDeleteNote();
  EXPECT_EQ(Queue(), ":ef");
  EXPECT_EQ(Texts(), (std::vector<std::string>{"f", "x", "d", "e"}));
}
