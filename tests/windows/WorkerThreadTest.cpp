// The background worker thread and the main window's side of its messages.
#include "ProgramFixture.h"

#include <ctime>
#include <map>
#include <vector>

#include "frame/win32/WorkerThread.h"
#include "res/WindowMessages.h"

namespace {

// A message-only window that keeps what the worker posts to it.
class WorkerThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    store.header.reminderCount = 1;
    store.lastSaveTime = 0;  // long ago: a save is due at every cycle
  }
  void TearDown() override { DestroyWindow(window); }

  // Collects the posts that arrive within `ms`.
  void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
      MSG msg;
      while (PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
        ++posts[msg.message];
        if (msg.message == WM_APP_SCAN_REMINDERS) scanTime = static_cast<int32_t>(msg.lParam);
      }
      Sleep(10);
    }
  }
  // Pumps until both messages of a cycle came, for at most five seconds.
  bool PumpOneCycle() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
      Pump(20);
      if (posts[WM_APP_AUTOSAVE] > 0 && posts[WM_APP_SCAN_REMINDERS] > 0) return true;
    }
    return false;
  }

  HWND window = nullptr;
  Settings settings;
  NoteStore store;
  std::atomic<bool> startup{true};
  std::map<UINT, int> posts;
  int32_t scanTime = 0;
};

}  // namespace

TEST_F(WorkerThreadTest, WakeUpPostsNothingDuringStartUpThenOneCycleAndStopsAtOnce) {
  CWorkerThread worker;
  ASSERT_TRUE(worker.Start(window, settings, store, startup));
  ASSERT_TRUE(worker.Running());
  worker.Wake();
  Pump(300);
  EXPECT_TRUE(posts.empty());

  startup = false;
  worker.Wake();
  ASSERT_TRUE(PumpOneCycle());
  EXPECT_EQ(posts[WM_APP_AUTOSAVE], 1);
  EXPECT_EQ(posts[WM_APP_SCAN_REMINDERS], 1);
  const int32_t now = static_cast<int32_t>(time(nullptr));
  EXPECT_EQ(scanTime % 60, 0);
  EXPECT_LE(scanTime - now, 31);
  EXPECT_GE(scanTime - now, -31);

  // The stop does not wait out the minute's wait.
  const DWORD before = GetTickCount();
  EXPECT_TRUE(worker.Stop());
  EXPECT_LT(GetTickCount() - before, 1000u);
  EXPECT_FALSE(worker.Running());
  Pump(100);
  EXPECT_EQ(posts[WM_APP_AUTOSAVE], 1);
}

TEST_F(WorkerThreadTest, DestroyingTheOwnerDuringTheFirstWaitEndsTheThreadWithoutAPost) {
  startup = false;
  const DWORD before = GetTickCount();
  {
    CWorkerThread worker;
    ASSERT_TRUE(worker.Start(window, settings, store, startup));
  }
  EXPECT_LT(GetTickCount() - before, 1000u);
  Pump(100);
  EXPECT_TRUE(posts.empty());
}

using MainFrameWorkerTest = ProgramTest;

TEST_F(MainFrameWorkerTest, ScanQueuesDueNotesOnce) {
  FillPad({"one", "two", "three"}, 1);
  const int32_t now = static_cast<int32_t>(time(nullptr)) / 60 * 60;
  store.Entry(2).flags = REMINDER_SET | REMINDER_ACTIVE;
  store.Entry(2).reminderTime = now - 60;
  store.Entry(3).flags = REMINDER_SET | REMINDER_ACTIVE;
  store.Entry(3).reminderTime = now + 3600;
  store.header.reminderCount = 2;

  std::vector<LPARAM> due;
  for (int cycle = 0; cycle < 2; ++cycle) {
    PostMessageA(Frame(), WM_APP_SCAN_REMINDERS, 0, now);
    MSG msg;
    // The due messages are collected, not shown as popups.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_APP_REMINDER_DUE) {
        due.push_back(msg.lParam);
      } else {
        DispatchMessageA(&msg);
      }
    }
  }
  EXPECT_EQ(due, std::vector<LPARAM>{2});
  EXPECT_EQ(store.Entry(2).flags, REMINDER_SET | REMINDER_ACTIVE | REMINDER_QUEUED);
  EXPECT_EQ(store.Entry(3).flags, REMINDER_SET | REMINDER_ACTIVE);
}
