// The handle owners release what they own, once, with the matching call.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "framework/Handles.h"

namespace {

TEST(FrameworkHandlesTest, GdiOwnersDeleteTheirObjectsOnceAndMovesHandOver) {
  HBRUSH raw = CreateSolidBrush(RGB(1, 2, 3));
  {
    CBrushOwner first(raw);
    CBrushOwner second(std::move(first));
    EXPECT_FALSE(first.Valid());
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    CBrushOwner third;
    third = std::move(second);
    EXPECT_EQ(third.Get(), raw);
  }
  EXPECT_EQ(GetObjectType(raw), 0u);

  CFontOwner font(CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
  HFONT kept = font.Release();
  EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_FONT));
  DeleteObject(kept);
}

TEST(FrameworkHandlesTest, CreatedDcMenuAndKeyOwnersRelease) {
  HDC dc = CreateCompatibleDC(nullptr);
  HMENU menu = CreatePopupMenu();
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuilleryFrameworkTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  {
    CCreatedDC dcOwner(dc);
    CMenuOwner menuOwner(menu);
    CRegKey keyOwner(key);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_TRUE(IsMenu(menu));
  }
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(RegSetValueExA(key, "x", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1), ERROR_INVALID_HANDLE);
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QuilleryFrameworkTest");
}

TEST(FrameworkHandlesTest, SelectGuardPutsThePreviousObjectBack) {
  CCreatedDC dc(CreateCompatibleDC(nullptr));
  HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_PEN);
  CPenOwner pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  {
    CSelectObject selected(dc.Get(), pen.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), pen.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), before);
  CWindowDC screen(nullptr);
  EXPECT_NE(screen.Get(), nullptr);
}

}  // namespace
