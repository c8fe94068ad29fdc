#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeDocumentPorts.h"
#include "document/NoteEdits.h"
#include "reminders/DueQueue.h"
#include "reminders/Intervals.h"
#include "reminders/SetReminder.h"

namespace {

int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  return int64_t{era} * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// Local time a fixed number of hours off UTC, without daylight saving.
struct FakeLocalTime : ILocalTime {
  explicit FakeLocalTime(int hours) : offset(hours * 3600) {}
  bool ToLocal(int64_t time, LocalDateTime& l) override {
    const int64_t t = time + offset;
    const int64_t days = (t >= 0 ? t : t - 86399) / 86400;
    const int64_t secs = t - days * 86400;
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    l = LocalDateTime{static_cast<int>(yoe + era * 400 + (m <= 2)), m,
                      static_cast<int>(doy - (153 * mp + 2) / 5 + 1), static_cast<int>(secs / 3600),
                      static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60)};
    return true;
  }
  bool FromLocal(const LocalDateTime& l, int64_t& time) override {
    time = DaysFromCivil(l.year, l.month, l.day) * 86400 + l.hour * 3600 + l.minute * 60 + l.second -
           offset;
    return true;
  }
  int64_t At(int y, int mo, int d, int h, int mi, int s) {
    int64_t t = 0;
    FromLocal(LocalDateTime{y, mo, d, h, mi, s}, t);
    return t;
  }
  int offset;
};

bool SameDay(const LocalDateTime& a, const LocalDateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

constexpr uint32_t PENDING = REMINDER_SET | REMINDER_ACTIVE;

}  // namespace

TEST(ReminderIntervals, TableAndTheFirstAtLeastRule) {
  EXPECT_STREQ(INTERVALS[1].name, "10 Minutes");
  EXPECT_EQ(INTERVALS[10].seconds, 86400u);
  EXPECT_STREQ(INTERVALS[17].name, "4 Weeks");
  EXPECT_EQ(INTERVALS[17].seconds, 2419200u);
  EXPECT_EQ(IntervalIndex(0), 0);
  EXPECT_EQ(IntervalIndex(300), 0);
  EXPECT_EQ(IntervalIndex(301), 1);
  EXPECT_EQ(IntervalIndex(4000), 6) << "4000 s shows \"2 Hours\"";
  EXPECT_EQ(IntervalIndex(2419200), 17);
  EXPECT_EQ(IntervalIndex(2419201), 17);
  EXPECT_EQ(IntervalIndex(UINT32_MAX), 17);
  EXPECT_EQ(IntervalSeconds(-1), 300u);
  EXPECT_EQ(IntervalSeconds(18), 2419200u);
}

TEST(ReminderIntervals, FixedTimeGoesThroughLocalMidnightOfTheYear2000) {
  FakeLocalTime local(-5);
  int64_t picker = 0;
  uint32_t back = 0;
  ASSERT_TRUE(FixedTimeToPicker(local, 32400, picker));
  EXPECT_EQ(picker, 946684800 + 5 * 3600 + 32400);
  ASSERT_TRUE(FixedTimeFromPicker(local, picker, back));
  EXPECT_EQ(back, 32400u);
  ASSERT_TRUE(FixedTimeFromPicker(local, local.At(2024, 7, 1, 9, 30, 5), back));
  EXPECT_EQ(back, 34205u) << "another date keeps its time of day";
}

class SetReminderTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(store.Allocate());
    store.header.noteCount = 2;
    store.currentNote = 1;
  }
  ReminderDialogStart Start() {
    ReminderDialogStart start;
    EXPECT_TRUE(BeginSetReminder(store, settings, now, local, start));
    return start;
  }
  NoteEntry& Note() { return store.Entry(1); }

  NoteStore store;
  Settings settings;
  FakeLocalTime local{1};
  int32_t now = static_cast<int32_t>(local.At(2024, 3, 5, 10, 0, 40));
  int32_t nowMinute = now - 40;
};

TEST_F(SetReminderTest, StartingValuesFollowTheNotesReminder) {
  EXPECT_EQ(Start().pickedDate, nowMinute + 86400) << "no reminder: one Remind Time ahead";
  EXPECT_EQ(Note().flags, REMINDER_EDITING);

  Note() = NoteEntry{0, 0, 0, PENDING, now - 3600};
  EXPECT_EQ(Start().pickedTime, now - 3600) << "a pending one, even overdue";
  Note() = NoteEntry{0, 0, 0, REMINDER_SET, now + 600};
  const ReminderDialogStart off = Start();
  EXPECT_EQ(off.pickedDate, now + 600) << "switched off but ahead";
  EXPECT_TRUE(off.enabled);
  Note() = NoteEntry{0, 0, 0, REMINDER_SET, nowMinute};
  EXPECT_EQ(Start().pickedDate, nowMinute + 86400) << "dismissed: the defaults again";

  settings.remindTime = UINT32_MAX;
  EXPECT_EQ(Start().pickedDate, REMINDER_TIME_LAST);

  store.currentNote = 3;  // the new-note slot
  ReminderDialogStart start;
  EXPECT_FALSE(BeginSetReminder(store, settings, now, local, start));
  EXPECT_EQ(store.Entry(3).flags, 0u);
}

TEST_F(SetReminderTest, FixedTimeProposesTomorrowAtNine) {
  settings.useFixedTime = 1;
  const ReminderDialogStart start = Start();
  int32_t chosen = 0;
  ASSERT_EQ(ComposeReminderTime(local, start.pickedDate, start.pickedTime, true, now, chosen),
            ReminderCheck::Ok);
  EXPECT_EQ(chosen, local.At(2024, 3, 6, 9, 0, 0));
}

TEST_F(SetReminderTest, ComposedMomentMustBeAheadAndStorable) {
  int32_t chosen = 0;
  const int64_t earlier = local.At(2024, 3, 5, 10, 0, 0);
  EXPECT_EQ(ComposeReminderTime(local, earlier, earlier, true, now, chosen), ReminderCheck::InPast);
  EXPECT_EQ(ComposeReminderTime(local, earlier, earlier, false, now, chosen), ReminderCheck::Ok);
  EXPECT_EQ(chosen, earlier) << "a switched-off reminder keeps a past time";

  ReminderDateRange range{};
  ASSERT_TRUE(ReminderDatePickerRange(local, range));
  const int64_t lastDay = local.At(range.last.year, range.last.month, range.last.day, 0, 0, 0);
  const int64_t lateTime = local.At(2000, 1, 1, 23, 59, 59);
  EXPECT_EQ(ComposeReminderTime(local, lastDay, lateTime, true, now, chosen), ReminderCheck::Ok);
  EXPECT_EQ(ComposeReminderTime(local, lastDay + 86400, lateTime, true, now, chosen),
            ReminderCheck::OutOfRange)
      << "never wrapped into a 32-bit past";
  EXPECT_EQ(chosen, lastDay + 86399) << "left as the last good check set it";
}

TEST(ReminderDateRange, OnlyDaysWhollyInsideThe32BitRange) {
  FakeLocalTime utc(0), west(-5), east(3);
  ReminderDateRange range{};
  ASSERT_TRUE(ReminderDatePickerRange(utc, range));
  EXPECT_TRUE(SameDay(range.first, {1970, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(SameDay(range.last, {2038, 1, 18, 0, 0, 0}));
  ASSERT_TRUE(ReminderDatePickerRange(west, range));
  EXPECT_TRUE(SameDay(range.first, {1970, 1, 1, 0, 0, 0})) << "31 Dec 1969 begins before 0";
  EXPECT_TRUE(SameDay(range.last, {2038, 1, 17, 0, 0, 0}));
  ASSERT_TRUE(ReminderDatePickerRange(east, range));
  EXPECT_TRUE(SameDay(range.first, {1970, 1, 2, 0, 0, 0}));
  EXPECT_TRUE(SameDay(range.last, {2038, 1, 18, 0, 0, 0}));
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
  std::string Names(uint32_t showing, const std::deque<uint32_t>& numbers) {
    std::string names = showing ? std::string(store.Text(store.Entry(showing))) + ":" : ":";
    for (uint32_t n : numbers) names += store.Text(store.Entry(n));
    return names;
  }
  std::string Queue() { return Names(queue.Showing(), queue.Waiting()); }

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
  EXPECT_EQ(store.header.reminderCount, 1u);
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
  EXPECT_EQ(store.Entry(1).reminderTime, 0);
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
