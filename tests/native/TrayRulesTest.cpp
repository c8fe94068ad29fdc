#include <gtest/gtest.h>

#include "res/resource.h"
#include "tray/TrayRules.h"

TEST(TrayRules, OnlyOurIconsDoubleClickOpensAndRightPressShowsTheMenu) {
  constexpr uint32_t MOVE = 0x200, LEFT_DOWN = 0x201, LEFT_UP = 0x202, LEFT_DOUBLE = 0x203, RIGHT_DOWN = 0x204,
                     RIGHT_UP = 0x205, RIGHT_DOUBLE = 0x206;
  EXPECT_EQ(TrayNotification(IDR_MAINFRAME, LEFT_DOUBLE), TrayAction::OpenWindow);
  EXPECT_EQ(TrayNotification(IDR_MAINFRAME, RIGHT_DOWN), TrayAction::ShowMenu);
  for (uint32_t ignored : {MOVE, LEFT_DOWN, LEFT_UP, RIGHT_UP, RIGHT_DOUBLE}) {
    EXPECT_EQ(TrayNotification(IDR_MAINFRAME, ignored), TrayAction::None) << ignored;
  }
  EXPECT_EQ(TrayNotification(IDR_MAINFRAME + 1, LEFT_DOUBLE), TrayAction::None);
  EXPECT_EQ(TrayNotification(0, RIGHT_DOWN), TrayAction::None);
}

TEST(TrayRules, SecondCopyOpensFromTheTrayElseRestoresOrBringsForward) {
  EXPECT_EQ(ActivateFromOtherCopy(true, true), ActivateAction::OpenWindow);
  EXPECT_EQ(ActivateFromOtherCopy(true, false), ActivateAction::OpenWindow);
  EXPECT_EQ(ActivateFromOtherCopy(false, true), ActivateAction::Restore);
  EXPECT_EQ(ActivateFromOtherCopy(false, false), ActivateAction::BringForward);
}

TEST(TrayRules, CloseToTrayNeedsTheIconAndTheSetting) {
  Settings settings;
  settings.closeToTray = 1;
  EXPECT_TRUE(OffersCloseToTray(true, settings));
  EXPECT_FALSE(OffersCloseToTray(false, settings));
  settings.closeToTray = 0;
  EXPECT_FALSE(OffersCloseToTray(true, settings));
}
