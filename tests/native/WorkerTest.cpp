#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

#include "frame/Worker.h"
#include "reminders/ReminderScan.h"

namespace {

constexpr int32_t TEN_AM = 1704103200;  // 2024-01-01 10:00:00 UTC

int32_t At(int minutes, int seconds) { return TEN_AM + minutes * 60 + seconds; }

// Runs the worker's loop on this thread: every wait calls `onWait` with the
// number of waits so far, which moves the clock and flips the flags.
struct ScriptedHost : IWorkerHost {
  void Wait(uint32_t milliseconds) override {
    waits.push_back(milliseconds);
    if (onWait) onWait(waits.size());
    if (waits.size() > 100) stop = true;  // a loop that never ends fails, not hangs
  }
  int32_t Now() override { return clock; }
  bool PostAutoSave() override {
    autoSaves.push_back(clock);
    return true;
  }
  bool PostReminderScan(int32_t now) override {
    scans.push_back(now);
    return true;
  }
  void RunVersionRequest() override {
    versionRequests.push_back(clock);
    EXPECT_TRUE(checkRequested.load()) << "cleared only after the request";
  }
  void Run() {
    AutoSaveSetting autoSave;
    autoSave.Publish(settings);
    RunWorker(*this, WorkerInputs{autoSave, store, startup, stop, &held, &checkRequested});
  }

  Settings settings;
  NoteStore store;
  std::atomic<bool> startup{false};
  std::atomic<bool> stop{false};
  std::atomic<int32_t> held{0};
  int32_t clock = 0;
  std::function<void(size_t)> onWait;
  std::vector<uint32_t> waits;
  std::vector<int32_t> autoSaves;
  std::vector<int32_t> scans;
  std::atomic<bool> checkRequested{false};
  std::vector<int32_t> versionRequests;
};

struct RecordingPoster : IReminderPoster {
  bool PostReminderDue(uint32_t number) override {
    attempts.push_back(number);
    return !failing;
  }
  bool failing = false;
  std::vector<uint32_t> attempts;
};

}  // namespace

TEST(WorkerTime, RoundsToTheNearestMinute) {
  EXPECT_EQ(RoundToNearestMinute(At(29, 29)), At(29, 0));
  EXPECT_EQ(RoundToNearestMinute(At(29, 30)), At(30, 0));
  EXPECT_EQ(RoundToNearestMinute(At(30, 0)), At(30, 0));
  EXPECT_EQ(RoundToNearestMinute(INT32_MAX), INT32_MAX / 60 * 60);
}

TEST(WorkerAutoSave, SaveAtTenIsDueAgainFromAboutTwentyNineAndAHalf) {
  ScriptedHost host;
  host.store.lastSaveTime = TEN_AM;
  const std::vector<int32_t> cycles = {At(0, 10), At(28, 40), At(29, 29), At(29, 30), At(29, 31)};
  host.onWait = [&](size_t n) {
    if (n <= cycles.size()) host.clock = cycles[n - 1];
    else host.stop = true;
  };
  host.Run();
  EXPECT_EQ(host.autoSaves, (std::vector<int32_t>{At(29, 30), At(29, 31)}));
  EXPECT_TRUE(host.scans.empty()) << "no reminder is pending";
}

TEST(WorkerAutoSave, OneSaveAtATimeAndAFailureWaitsAWholeInterval) {
  CSaveSchedule saves;
  int runs = 0;
  bool nestedRan = true;
  const auto failing = [&] {
    ++runs;
    // The failure message's loop brings the next auto-save.
    nestedRan = saves.Run([&] { return ++runs, Result{RESULT_OK}; }, At(1, 0));
    return Result{32};
  };
  EXPECT_TRUE(saves.Run(failing, At(1, 0)));
  EXPECT_FALSE(nestedRan);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(saves.HeldSince().load(), At(1, 0));

  // The clock counts the interval from the failure, not from the last save.
  ScriptedHost host;
  host.settings.autoSaveTime = 5;
  host.store.lastSaveTime = TEN_AM;
  host.held = saves.HeldSince().load();
  const std::vector<int32_t> cycles = {At(2, 0), At(5, 0), At(6, 0)};
  host.onWait = [&](size_t n) {
    if (n <= cycles.size()) host.clock = cycles[n - 1];
    else host.stop = true;
  };
  host.Run();
  EXPECT_EQ(host.autoSaves, (std::vector<int32_t>{At(6, 0)}));

  EXPECT_TRUE(saves.Run([] { return Result{RESULT_OK}; }, At(7, 0)));
  EXPECT_EQ(saves.HeldSince().load(), 0) << "a success releases the hold";
}

TEST(WorkerAutoSave, IntervalArithmetic) {
  // Whole minutes, truncated; a clock set back saves nothing.
  EXPECT_FALSE(AutoSaveDue(1, 1, TEN_AM, TEN_AM + 59));
  EXPECT_TRUE(AutoSaveDue(1, 1, TEN_AM, TEN_AM + 60));
  EXPECT_FALSE(AutoSaveDue(1, 0, TEN_AM, TEN_AM - 3600));
  EXPECT_TRUE(AutoSaveDue(1, 30, INT32_MIN, INT32_MAX));
  EXPECT_FALSE(AutoSaveDue(1, 0xFFFFFFFF, INT32_MIN, INT32_MAX));
  // Switched off, nothing is ever due.
  EXPECT_FALSE(AutoSaveDue(0, 30, 0, INT32_MAX));
  EXPECT_FALSE(AutoSaveDue(0, 0, TEN_AM, TEN_AM));
}

TEST(WorkerAutoSave, SwitchedOffPostsNothingHoweverLongAgo) {
  ScriptedHost host;
  host.settings.autoSave = 0;
  host.store.lastSaveTime = 0;
  host.clock = TEN_AM;
  host.onWait = [&](size_t n) { host.stop = n > 3; };
  host.Run();
  EXPECT_TRUE(host.autoSaves.empty());
}

TEST(WorkerLoop, WaitsTenSecondsUntilStartUpEndsThenSixty) {
  ScriptedHost host;
  host.startup = true;
  host.clock = TEN_AM;  // long after the last save: a save would be due
  host.store.header.reminderCount = 1;
  host.onWait = [&](size_t n) {
    if (n == 3) host.startup = false;
    if (n == 5) host.stop = true;
  };
  host.Run();
  // Three waits while starting, the first real cycle still after the short
  // wait, then full cycles; the wait that saw the stop posts nothing.
  EXPECT_EQ(host.waits, (std::vector<uint32_t>{10000, 10000, 10000, 60000, 60000}));
  EXPECT_EQ(host.autoSaves.size(), 2u);
  EXPECT_EQ(host.scans, (std::vector<int32_t>{TEN_AM, TEN_AM}));
}

TEST(WorkerLoop, NothingIsPostedWhileStartUpLasts) {
  ScriptedHost host;
  host.startup = true;
  host.clock = TEN_AM;
  host.store.header.reminderCount = 1;
  host.onWait = [&](size_t n) { host.stop = n == 4; };
  host.Run();
  EXPECT_EQ(host.waits.size(), 4u);
  EXPECT_TRUE(host.autoSaves.empty());
  EXPECT_TRUE(host.scans.empty());
}

TEST(WorkerLoop, StopEndsTheLoopAtTheWakeUpWithoutAPost) {
  ScriptedHost host;
  host.clock = TEN_AM;
  host.store.header.reminderCount = 1;
  host.onWait = [&](size_t n) { host.stop = n == 2; };
  host.Run();
  EXPECT_EQ(host.waits.size(), 2u);
  EXPECT_EQ(host.autoSaves.size(), 1u);
  EXPECT_EQ(host.scans.size(), 1u);

  ScriptedHost stopped;
  stopped.stop = true;
  stopped.Run();
  EXPECT_TRUE(stopped.waits.empty());
}

TEST(WorkerLoop, ScanIsAskedForWithTheRoundedTimeOnlyWhileRemindersPend) {
  ScriptedHost host;
  host.settings.autoSave = 0;
  host.onWait = [&](size_t n) {
    host.clock = At(0, 29 + static_cast<int>(n));  // 10:00:30, then 10:00:31, ...
    host.store.header.reminderCount = n == 2 ? 0 : 1;
    host.stop = n == 4;
  };
  host.Run();
  EXPECT_EQ(host.scans, (std::vector<int32_t>{At(1, 0), At(1, 0)}));
}

class ReminderScanTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(store.Allocate()); }
  void AddNote(uint32_t flags, int32_t reminderTime) {
    const uint32_t number = ++store.header.noteCount;
    store.Entry(number) = NoteEntry{0, 0, 0, flags, reminderTime};
    if (flags & REMINDER_ACTIVE) ++store.header.reminderCount;
  }
  uint32_t Flags(uint32_t number) { return store.Entry(number).flags; }

  NoteStore store;
  RecordingPoster poster;
};

TEST_F(ReminderScanTest, PostsDueNotesInOrderAndSkipsEditedQueuedAndLater) {
  const uint32_t pending = REMINDER_SET | REMINDER_ACTIVE;
  AddNote(pending, At(0, 0));                     // 1: due exactly now
  AddNote(pending | REMINDER_QUEUED, At(-5, 0));  // 2: popup already queued
  AddNote(pending | REMINDER_EDITING, At(-5, 0)); // 3: dialog open
  AddNote(pending, At(0, 1));                     // 4: a second too late
  AddNote(REMINDER_SET, At(-5, 0));               // 5: dismissed
  AddNote(pending, At(-60, 0));                   // 6: long overdue
  EXPECT_EQ(ScanReminders(store, At(0, 0), poster), 2u);
  EXPECT_EQ(poster.attempts, (std::vector<uint32_t>{1, 6}));
  EXPECT_EQ(Flags(1), pending | REMINDER_QUEUED);
  EXPECT_EQ(Flags(3), pending | REMINDER_EDITING);
  EXPECT_EQ(Flags(4), pending);
  EXPECT_EQ(Flags(6), pending | REMINDER_QUEUED);

  // Queued notes get no second message.
  poster.attempts.clear();
  EXPECT_EQ(ScanReminders(store, At(1, 0), poster), 1u);
  EXPECT_EQ(poster.attempts, (std::vector<uint32_t>{4}));
}

TEST_F(ReminderScanTest, ReminderAtTenComesAtTheFirstCycleFromNineFiftyNineThirty) {
  AddNote(REMINDER_SET | REMINDER_ACTIVE, TEN_AM);
  EXPECT_EQ(ScanReminders(store, RoundToNearestMinute(At(0, -31)), poster), 0u);
  EXPECT_EQ(ScanReminders(store, RoundToNearestMinute(At(0, -30)), poster), 1u);
}

TEST_F(ReminderScanTest, FailedPostLeavesTheNoteToTheNextCycle) {
  AddNote(REMINDER_SET | REMINDER_ACTIVE, At(0, 0));
  poster.failing = true;
  EXPECT_EQ(ScanReminders(store, At(0, 0), poster), 0u);
  EXPECT_EQ(Flags(1), REMINDER_SET | REMINDER_ACTIVE);
  poster.failing = false;
  EXPECT_EQ(ScanReminders(store, At(1, 0), poster), 1u);
  EXPECT_EQ(poster.attempts, (std::vector<uint32_t>{1, 1}));
  EXPECT_EQ(Flags(1), REMINDER_SET | REMINDER_ACTIVE | REMINDER_QUEUED);
}

TEST_F(ReminderScanTest, NoPendingReminderVisitsNoNoteEvenWithLeftOverBits) {
  AddNote(REMINDER_SET | REMINDER_ACTIVE, At(-5, 0));
  store.header.reminderCount = 0;
  EXPECT_EQ(ScanReminders(store, At(0, 0), poster), 0u);
  EXPECT_TRUE(poster.attempts.empty());
  EXPECT_EQ(Flags(1), REMINDER_SET | REMINDER_ACTIVE);
}

TEST(WorkerVersionCheck, ARequestRunsOnceAtTheNextCycleAfterStartUpThenIsCleared) {
  ScriptedHost host;
  host.startup = true;
  host.checkRequested = true;
  host.onWait = [&](size_t n) {
    host.clock = At(static_cast<int>(n), 0);
    if (n == 2) host.startup = false;
    if (n == 4) host.checkRequested = true;
    if (n == 5) host.stop = true;
  };
  host.Run();
  EXPECT_EQ(host.versionRequests, (std::vector<int32_t>{At(2, 0), At(4, 0)}));
  EXPECT_FALSE(host.checkRequested.load());
}
