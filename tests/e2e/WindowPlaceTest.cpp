// Where the main window opens, as the next start finds it.
#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

bool Inside(const RECT& r, const RECT& screen) {
  return r.left >= screen.left && r.top >= screen.top && r.right <= screen.right && r.bottom <= screen.bottom;
}

DWORD Stored(const char* name) {
  DWORD value = 0;
  EXPECT_TRUE(ReadDword("Appearance", name, &value)) << name;
  return value;
}

}  // namespace

TEST_F(E2eTest, WindowLeftOnAGoneMonitorOpensOnScreenAndMaximisedSurvivesARestart) {
  ProgramFolder folder;
  WriteDword("Appearance", "NoteX", 6000);
  WriteDword("Appearance", "NoteY", static_cast<DWORD>(-4000));
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT normal{};
  {
    Program program(folder);
    HWND main = WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    GetWindowRect(main, &normal);
    EXPECT_TRUE(Inside(normal, screen)) << normal.left << "," << normal.top;
    EXPECT_EQ(normal.right - normal.left, 512);
    EXPECT_EQ(normal.bottom - normal.top, 328);
    PostMessageA(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(main) != FALSE; }));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_APP_QUIT, 0), 0);
    ASSERT_TRUE(program.WaitForExit());
  }
  EXPECT_EQ(Stored("NoteMaximized"), 1u);
  EXPECT_EQ(static_cast<LONG>(Stored("NoteX")), normal.left);
  EXPECT_EQ(static_cast<LONG>(Stored("NoteY")), normal.top);

  Program program(folder);
  HWND main = WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsZoomed(main));
  // Restored, it takes the rectangle it had before it was maximised.
  PostMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
  // The style loses its maximised bit before the window is moved back.
  RECT restored{};
  EXPECT_TRUE(WaitFor([&] {
    GetWindowRect(main, &restored);
    return IsZoomed(main) == FALSE && EqualRect(&restored, &normal) != FALSE;
  })) << restored.left << "," << restored.top << " " << restored.right << "," << restored.bottom;
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(ID_APP_QUIT, 0), 0);
  ASSERT_TRUE(program.WaitForExit());
  EXPECT_EQ(Stored("NoteMaximized"), 0u);
}
