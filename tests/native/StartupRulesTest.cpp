#include <gtest/gtest.h>

#include "app/Startup.h"
#include "frame/FrameRules.h"
#include "help/HelpTopics.h"
#include "reminders/ReminderScan.h"

TEST(SingleCopy, RunningCopyIsActivatedOrStoppedAndThisCopyEnds) {
  StartState plain;
  EXPECT_EQ(DecideOtherCopy(true, plain), OtherCopyAction::Activate);
  EXPECT_TRUE(plain.exitAtStart);

  StartState alone;
  EXPECT_EQ(DecideOtherCopy(false, alone), OtherCopyAction::None);
  EXPECT_FALSE(alone.exitAtStart);

  for (bool remove : {false, true}) {
    StartState stop;
    stop.commandLine.removeRequested = remove;
    stop.commandLine.killAllRequested = !remove;
    EXPECT_EQ(DecideOtherCopy(true, stop), OtherCopyAction::Quit);
    EXPECT_TRUE(stop.exitAtStart);
    StartState nothingToStop;
    nothingToStop.commandLine = stop.commandLine;
    EXPECT_EQ(DecideOtherCopy(false, nothingToStop), OtherCopyAction::None);
    EXPECT_TRUE(nothingToStop.exitAtStart);
  }
}

TEST(StartWindow, QuietStartHidesInTrayElseMinimises) {
  EXPECT_EQ(InitialWindowState(true, 1), StartWindowState::Shown);
  EXPECT_EQ(InitialWindowState(false, 1), StartWindowState::Hidden);
  EXPECT_EQ(InitialWindowState(false, 0), StartWindowState::Minimised);
  EXPECT_EQ(InitialWindowState(false, 2), StartWindowState::Minimised);
}

TEST(StartUpgrade, PendingUpgradeIsKeptOnlyWhenNewer) {
  ProductInfo product;  // 1.00.016
  Settings s;
  s.flags = FLAG_UPGRADE_PENDING | FLAG_FILE_CREATED;
  s.lastUpgradeVersion = "1.00.017";
  DropStaleUpgrade(s, product);
  EXPECT_EQ(s.flags, FLAG_UPGRADE_PENDING | FLAG_FILE_CREATED);
  s.lastUpgradeVersion = "1.00.016";
  DropStaleUpgrade(s, product);
  EXPECT_EQ(s.flags, FLAG_FILE_CREATED);
}

TEST(StartUninstall, UninstallerAndLogLieInTheProgramFolder) {
  UninstallCommand c = UninstallerIn("C:\\PROGRA~1\\QUILLERY\\");
  EXPECT_EQ(c.program, "C:\\PROGRA~1\\QUILLERY\\unwise.exe");
  EXPECT_EQ(c.parameters, "C:\\PROGRA~1\\QUILLERY\\install.log");
}

TEST(FrameHelp, ContextNumbersAreCommandIdsAboveTheBase) {
  EXPECT_EQ(HelpContextForF1(true), 0x181B1u);
  EXPECT_EQ(HelpContextForF1(false), 0x181B2u);
  EXPECT_EQ(HelpContextForFaq(), 0x18218u);
  EXPECT_EQ(HelpContextForMenuItem(32806), 0x10000u + 32806);
  EXPECT_EQ(HelpContextForMenuItem(0x20000 + 32806), 0x10000u + 32806);
  EXPECT_EQ(HelpContextForMenuItem(0x30000), 0u);
  EXPECT_EQ(HelpContextForMenuItem(0), 0u);
  EXPECT_EQ(HelpContextForClick(HelpClick::CommandButton, 32800, true), 0x10000u + 32800);
  EXPECT_EQ(HelpContextForClick(HelpClick::Window, 0, false), 0x181B2u);
  EXPECT_EQ(HelpContextForClick(HelpClick::Outside, 32800, true), 0u);
}

TEST(FrameRect, RectangleRoundTripsButAMinimisedWindowIsNotKept) {
  Settings s;
  WindowRect stored = StoredWindowRect(s);
  EXPECT_EQ(stored.left, 50);
  EXPECT_EQ(stored.top, 38);
  EXPECT_EQ(stored.right, 562);
  EXPECT_EQ(stored.bottom, 366);
  RecordWindowRect(s, {-8, 10, 300, 210}, false);
  EXPECT_EQ(s.noteX, -8);
  EXPECT_EQ(s.noteY, 10);
  EXPECT_EQ(s.noteCX, 308);
  EXPECT_EQ(s.noteCY, 200);
  RecordWindowRect(s, {-32000, -32000, -31840, -31976}, true);
  EXPECT_EQ(s.noteX, -8);
  EXPECT_EQ(s.noteCX, 308);
}

TEST(FrameIndicator, RemindShowsOnlyForAnActiveReminderOnTheCurrentNote) {
  NoteStore store;
  ASSERT_TRUE(store.Allocate());
  EXPECT_FALSE(ShowsReminderIndicator(store));  // empty pad
  store.header.noteCount = 2;
  store.Entry(1).flags = REMINDER_ACTIVE;
  store.Entry(2).flags = REMINDER_SET;
  store.currentNote = 1;
  EXPECT_TRUE(ShowsReminderIndicator(store));
  store.currentNote = 2;
  EXPECT_FALSE(ShowsReminderIndicator(store));
  store.currentNote = 3;  // the new-note slot
  EXPECT_FALSE(ShowsReminderIndicator(store));
}
