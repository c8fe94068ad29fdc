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
  EXPECT_EQ(HelpContextForF1(true, true), 0x10000u + 57609) << "Print Preview while it runs";
  EXPECT_EQ(HelpContextForFaq(), 0x18218u);
  EXPECT_EQ(HelpContextForMenuItem(32806), 0x10000u + 32806);
  EXPECT_EQ(HelpContextForMenuItem(0x20000 + 32806), 0x10000u + 32806);
  EXPECT_EQ(HelpContextForMenuItem(0x30000), 0u);
  EXPECT_EQ(HelpContextForMenuItem(0), 0u);
  EXPECT_EQ(HelpContextForMenuItem(3), 0u);
  EXPECT_EQ(HelpContextForMenuItem(0xFFFFFFFF), 0u);
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
  RecordWindowRect(s, {-8, 10, 300, 210}, false, false);
  EXPECT_EQ(s.noteX, -8);
  EXPECT_EQ(s.noteY, 10);
  EXPECT_EQ(s.noteCX, 308);
  EXPECT_EQ(s.noteCY, 200);
  RecordWindowRect(s, {-32000, -32000, -31840, -31976}, true, false);
  EXPECT_EQ(s.noteX, -8);
  EXPECT_EQ(s.noteCX, 308);
  // Maximised: remembered as such, with the rectangle to restore to.
  RecordWindowRect(s, {-8, -8, 1288, 1000}, false, true);
  EXPECT_EQ(s.noteMaximized, 1u);
  EXPECT_EQ(s.noteX, -8);
  EXPECT_EQ(s.noteCX, 308);
  // Minimised from maximised, it comes back maximised.
  RecordWindowRect(s, {-32000, -32000, -31840, -31976}, true, false);
  EXPECT_EQ(s.noteMaximized, 1u);
  RecordWindowRect(s, {20, 30, 420, 330}, false, false);
  EXPECT_EQ(s.noteMaximized, 0u);
  EXPECT_EQ(s.noteCX, 400);
}

void ExpectRect(const WindowRect& r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(FrameRect, WindowOpensWhereTheUserCanReachIt) {
  const std::vector<WindowRect> laptop = {{0, 0, 1366, 728}};
  // On screen, or hanging off the right and bottom with its title bar in
  // reach: where the user left it.
  ExpectRect(OnScreenWindowRect({50, 38, 562, 366}, laptop), 50, 38, 562, 366);
  ExpectRect(OnScreenWindowRect({1200, 600, 1700, 900}, laptop), 1200, 600, 1700, 900);
  // Its monitor unplugged: onto the nearest one, its size kept.
  ExpectRect(OnScreenWindowRect({1500, 100, 2012, 428}, laptop), 854, 100, 1366, 428);
  ExpectRect(OnScreenWindowRect({-3000, -2000, -2488, -1672}, laptop), 0, 0, 512, 328);
  // Only a sliver of frame, or the title bar above the top: pulled in.
  ExpectRect(OnScreenWindowRect({1350, 100, 1862, 428}, laptop), 854, 100, 1366, 428);
  ExpectRect(OnScreenWindowRect({100, -300, 612, 28}, laptop), 100, 0, 612, 328);
  // Larger than the work area (resolution lowered): shrunk to it.
  ExpectRect(OnScreenWindowRect({0, 0, 1920, 1080}, laptop), 0, 0, 1366, 728);
  ExpectRect(OnScreenWindowRect({5000, 5000, 7000, 6000}, laptop), 0, 0, 1366, 728);
  // No monitor known, or far past the int32 range: no harm done.
  ExpectRect(OnScreenWindowRect({5000, 5000, 5512, 5328}, {}), 5000, 5000, 5512, 5328);
  Settings huge;
  huge.noteX = INT32_MAX - 10;
  huge.noteCX = INT32_MAX;
  huge.noteY = INT32_MIN;
  huge.noteCY = -5;
  ExpectRect(OnScreenWindowRect(StoredWindowRect(huge), laptop), 1356, 0, 1366, 0);
}

TEST(FrameRect, SecondMonitorOnTheLeftHasNegativeCoordinates) {
  // Primary 1920x1040 work area; a 1280x1024 monitor to its left, lower.
  const std::vector<WindowRect> desk = {{0, 0, 1920, 1040}, {-1280, 200, 0, 1224}};
  ExpectRect(OnScreenWindowRect({-900, 300, -388, 628}, desk), -900, 300, -388, 628);
  // Across both, mostly on the left one: kept.
  ExpectRect(OnScreenWindowRect({-400, 300, 112, 628}, desk), -400, 300, 112, 628);
  // Left of the left monitor: onto it, not onto the primary.
  ExpectRect(OnScreenWindowRect({-2600, 500, -2088, 828}, desk), -1280, 500, -768, 828);
  // In the gap above the left monitor: onto the one it is nearest.
  ExpectRect(OnScreenWindowRect({-900, -400, -388, -72}, desk), -900, 200, -388, 528);
  // Left monitor unplugged: onto the primary.
  ExpectRect(OnScreenWindowRect({-900, 300, -388, 628}, {desk[0]}), 0, 300, 512, 628);
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
