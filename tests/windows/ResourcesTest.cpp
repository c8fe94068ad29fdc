#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "framework/Win32Messages.h"
#include "framework/Handles.h"
#include "res/resource.h"

namespace {

HMODULE Module() { return GetModuleHandleA(nullptr); }

// The raw bytes of a resource of this program (empty when it is missing).
std::vector<uint8_t> ResourceBytes(LPCSTR type, UINT id) {
  HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(Module(), found);
  const uint8_t* data = static_cast<const uint8_t*>(LockResource(loaded));
  if (data == nullptr) return {};
  return std::vector<uint8_t>(data, data + SizeofResource(Module(), found));
}

// ---------------------------------------------------------------------------
// String table

struct TableString {
  UINT id;
  const char* text;
};
const TableString TABLE[] = {
#define QSTRING(id, text) {id, text},
#include "res/strings.inc"
#undef QSTRING
};

TEST(ResourcesTest, EveryStringOfTheTableLoadsWithItsExactText) {
  for (const TableString& s : TABLE) {
    EXPECT_EQ(LoadResourceString(s.id), s.text) << "string " << s.id;
  }
}

TEST(ResourcesTest, StringsKeepEscapesAndPlaceholders) {
  EXPECT_EQ(LoadResourceString(AFX_IDS_APP_TITLE), "Quillery");
  EXPECT_EQ(LoadResourceString(AFX_IDS_IDLEMESSAGE), "For Help, press F1");
  EXPECT_EQ(LoadResourceString(IDR_MAINFRAME),
            "Quillery\n\nQuilry\n\n\nQuillery.Document\nQuilry Document");
  EXPECT_EQ(LoadResourceString(IDS_RUN_KEY), "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  EXPECT_EQ(LoadResourceString(IDS_TITLE_NOTE_VIEW), "(Note View: Note <CURNOTE> of <NUMNOTES>)");
  EXPECT_EQ(LoadResourceString(ID_SAVE_NOTES), "Save all notes to disk\nSave all notes");
  EXPECT_EQ(LoadResourceString(ID_FIND_NEXT), "Find the next occurence of text from last Find");
  EXPECT_EQ(LoadResourceString(ID_INDICATOR_REMIND), "REMIND");
  EXPECT_EQ(LoadResourceString(ID_INDICATOR_CAPS), "CAP");
  EXPECT_EQ(LoadResourceString(ID_INDICATOR_NUM), "NUM");
  std::string big = LoadResourceString(IDS_ERROR_WRITE_NOTES_FILE);
  EXPECT_EQ(big.substr(0, 36), "Error <ERRCODE>  writing to your not");
  EXPECT_EQ(big.substr(big.size() - 3), "\n\n\t");
  EXPECT_NE(LoadResourceString(IDS_ASK_TRUNCATE_NOTE).find("65535"), std::string::npos);
}

// ---------------------------------------------------------------------------
// Menus

// One line per item: "text=id", "-" for a separator, "text>[...]" for a
// sub-menu with its items inside the brackets.
std::vector<std::string> Describe(HMENU menu) {
  std::vector<std::string> items;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) {
      items.push_back("?");
      continue;
    }
    if (info.fType & MFT_SEPARATOR) {
      items.push_back("-");
      continue;
    }
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (info.hSubMenu != nullptr) {
      std::string inner;
      for (const std::string& item : Describe(info.hSubMenu)) {
        inner += (inner.empty() ? "" : ", ") + item;
      }
      items.push_back(std::string(text) + ">[" + inner + "]");
    } else {
      items.push_back(std::string(text) + "=" + std::to_string(info.wID));
    }
  }
  return items;
}

std::string Item(const char* text, UINT id) { return std::string(text) + "=" + std::to_string(id); }

std::string InsertMenu() {
  return "&Insert>[" + Item("&Date", ID_INSERT_DATE) + ", " +
         Item("&Time", ID_INSERT_TIME) + ", " + Item("Date &and Time", ID_INSERT_DATE_TIME) +
         ", " + Item("Da&y of Week", ID_INSERT_WEEKDAY) + "]";
}

// Every command id a menu holds, sub-menus included.
void CollectCommands(HMENU menu, std::set<UINT>& ids) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    HMENU sub = GetSubMenu(menu, i);
    if (sub != nullptr) {
      CollectCommands(sub, ids);
    } else {
      UINT id = GetMenuItemID(menu, i);
      if (id != 0 && id != UINT(-1)) ids.insert(id);
    }
  }
}

TEST(ResourcesTest, MainMenuHasItsPopupsAndItemsInOrder) {
  CMenuOwner menu(LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME)));
  ASSERT_TRUE(menu.Valid());
  ASSERT_EQ(GetMenuItemCount(menu.Get()), 5);
  const char* const titles[] = {"&File", "&Edit", "&View", "&Actions", "&Help"};
  for (int i = 0; i < 5; ++i) {
    char text[64] = {};
    GetMenuStringA(menu.Get(), static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, titles[i]);
  }
  using V = std::vector<std::string>;
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), 0)),
            (V{Item("&New Note\tCtrl+Ins", ID_NOTE_NEW), Item("&Delete Note\tCtrl+Del", ID_NOTE_DELETE),
               Item("&Save Notes\tCtrl+S", ID_SAVE_NOTES), "-",
               "&Import Notes>[" + Item("&DeskNotes", ID_IMPORT_DESKNOTES) + "]", "-",
               Item("P&rint Setup...", ID_FILE_PRINT_SETUP), Item("Print Pre&view", ID_FILE_PRINT_PREVIEW),
               Item("&Print...\tCtrl+P", ID_FILE_PRINT), "-",
               Item("Pr&operties\tAlt+Enter", ID_NOTE_PROPERTIES), "-",
               Item("&Close to Tray\tAlt+F4", ID_APP_EXIT), Item("&Quit\tCtrl+Q", ID_APP_QUIT)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), 1)),
            (V{Item("&Undo\tCtrl+Z", ID_EDIT_UNDO), "-", Item("Cu&t\tCtrl+X", ID_EDIT_CUT),
               Item("&Copy\tCtrl+C", ID_EDIT_COPY), Item("&Paste\tCtrl+V", ID_EDIT_PASTE), InsertMenu(),
               "-", Item("Select &All\tCtrl+A", ID_EDIT_SELECT_ALL), "-",
               Item("&Find...\tCtrl+F", ID_FIND), Item("Find &Next\tF3", ID_FIND_NEXT)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), 2)),
            (V{Item("&Toolbar", ID_VIEW_TOOLBAR), Item("&Status Bar", ID_VIEW_STATUS_BAR), "-",
               Item("&List", ID_VIEW_LIST), Item("&Note", ID_VIEW_NOTE), "-",
               Item("&Preferences...", ID_PREFERENCES)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), 3)),
            (V{Item("&Next Note\tCtrl+PgDn", ID_NOTE_NEXT),
               Item("&Previous Note\tCtrl+PgUp", ID_NOTE_PREVIOUS),
               Item("&F&irst Note\tCtrl+Up", ID_NOTE_FIRST), Item("&Last Note\tCtrl+Down", ID_NOTE_LAST),
               Item("&Go to Note...\tCtrl+G", ID_NOTE_GOTO), Item("&Move Note...\tCtrl+M", ID_NOTE_MOVE),
               "-", Item("&Open URL", ID_OPEN_URL), Item("&Reminders...", ID_REMINDERS)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), 4)),
            (V{Item("&Help Topics", ID_HELP_FINDER), Item("Frequently Asked &Questions", ID_HELP_FAQ),
               "-", Item("&Brindle Software on the Web", ID_VENDOR_WEB_SITE),
               Item("Check for Newer &Version", ID_CHECK_VERSION), "-",
               Item("&About Quillery...", ID_APP_ABOUT)}));
}

TEST(ResourcesTest, PopupMenusHoldTrayNoteAndListMenus) {
  CMenuOwner menu(LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
  ASSERT_TRUE(menu.Valid());
  ASSERT_EQ(GetMenuItemCount(menu.Get()), 3);
  using V = std::vector<std::string>;
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), POPUP_TRAY)),
            (V{Item("Open Quillery", ID_TRAY_OPEN), Item("&New Note", ID_TRAY_NEW_NOTE),
               Item("Quit Quillery", ID_APP_QUIT)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), POPUP_NOTE_CONTEXT)),
            (V{Item("&Undo", ID_EDIT_UNDO), "-", Item("Cu&t", ID_EDIT_CUT), Item("&Copy", ID_EDIT_COPY),
               Item("&Paste", ID_EDIT_PASTE), "-", Item("Select &All", ID_EDIT_SELECT_ALL), "-",
               InsertMenu(), Item("&Delete Note", ID_NOTE_DELETE), "-", Item("&Open URL", ID_OPEN_URL),
               Item("Re&minders", ID_REMINDERS), "-", Item("P&rint", ID_FILE_PRINT),
               Item("Propertie&s", ID_NOTE_PROPERTIES), "-", Item("Close to Tra&y", ID_APP_EXIT),
               Item("&Quit", ID_APP_QUIT)}));
  EXPECT_EQ(Describe(GetSubMenu(menu.Get(), POPUP_LIST_CONTEXT)),
            (V{Item("Re&minders", ID_REMINDERS), "-", Item("Print &Note(s)", ID_PRINT_NOTES),
               Item("&Properties", ID_NOTE_PROPERTIES), "-", Item("&Delete Note(s)", ID_NOTE_DELETE),
               "-", Item("Close to Tra&y", ID_APP_EXIT), Item("&Quit", ID_APP_QUIT)}));
}

// ---------------------------------------------------------------------------
// Accelerators and toolbar

TEST(ResourcesTest, AcceleratorsMapEveryKeyToItsCommand) {
  HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(table, nullptr);
  int count = CopyAcceleratorTableA(table, nullptr, 0);
  std::vector<ACCEL> entries(static_cast<size_t>(count));
  CopyAcceleratorTableA(table, entries.data(), count);
  using Key = std::tuple<BYTE, WORD>;  // modifiers, virtual key
  std::map<Key, WORD> actual;
  for (const ACCEL& a : entries) {
    EXPECT_TRUE(a.fVirt & FVIRTKEY) << "key " << a.key;
    EXPECT_TRUE(actual.emplace(Key(a.fVirt & ~FVIRTKEY, a.key), a.cmd).second)
        << "key " << a.key << " appears twice";
  }
  const BYTE C = FCONTROL, A = FALT, S = FSHIFT;
  const std::map<Key, WORD> expected = {
      {{C, 'A'}, ID_EDIT_SELECT_ALL},   {{C, 'C'}, ID_EDIT_COPY},
      {{C, 'F'}, ID_FIND},              {{C, 'G'}, ID_NOTE_GOTO},
      {{C, 'M'}, ID_NOTE_MOVE},         {{C, 'P'}, ID_FILE_PRINT},
      {{C, 'Q'}, ID_APP_QUIT},          {{C, 'S'}, ID_SAVE_NOTES},
      {{C, 'V'}, ID_EDIT_PASTE},        {{A, VK_BACK}, ID_EDIT_UNDO},
      {{C, VK_DELETE}, ID_NOTE_DELETE}, {{S, VK_DELETE}, ID_EDIT_CUT},
      {{C, VK_DOWN}, ID_NOTE_LAST},     {{0, VK_F1}, ID_HELP},
      {{S, VK_F1}, ID_CONTEXT_HELP},    {{0, VK_F3}, ID_FIND_NEXT},
      {{A, VK_F4}, ID_APP_EXIT},        {{C, VK_INSERT}, ID_NOTE_NEW},
      {{S, VK_INSERT}, ID_EDIT_PASTE},  {{C, VK_NEXT}, ID_NOTE_NEXT},
      {{C, VK_PRIOR}, ID_NOTE_PREVIOUS}, {{A, VK_RETURN}, ID_NOTE_PROPERTIES},
      {{C, VK_UP}, ID_NOTE_FIRST},      {{C, 'X'}, ID_EDIT_CUT},
      {{C, 'Z'}, ID_EDIT_UNDO},
  };
  EXPECT_EQ(actual, expected);
  DestroyAcceleratorTable(table);
}

// The button ids of toolbar 128 (0 for a separator).
std::vector<WORD> ToolbarButtons(WORD* width, WORD* height) {
  std::vector<uint8_t> bytes = ResourceBytes(MAKEINTRESOURCEA(RT_TOOLBAR_TYPE), IDR_MAINFRAME);
  auto word = [&](size_t i) { return static_cast<WORD>(bytes[2 * i] | bytes[2 * i + 1] << 8); };
  if (bytes.size() < 8 || word(0) != 1) return {};
  *width = word(1);
  *height = word(2);
  if (bytes.size() != 8 + 2 * size_t(word(3))) return {};
  std::vector<WORD> ids;
  for (size_t i = 0; i < word(3); ++i) ids.push_back(word(4 + i));
  return ids;
}

TEST(ResourcesTest, ToolbarButtonsMatchTheGlyphStrip) {
  WORD width = 0, height = 0;
  std::vector<WORD> buttons = ToolbarButtons(&width, &height);
  EXPECT_EQ(width, 24);
  EXPECT_EQ(height, 24);
  EXPECT_EQ(buttons, (std::vector<WORD>{ID_NOTE_NEW, ID_NOTE_DELETE, 0, ID_EDIT_CUT, ID_EDIT_COPY,
                                        ID_EDIT_PASTE, 0, ID_FIND, ID_FILE_PRINT, 0, ID_VIEW_NOTE,
                                        ID_VIEW_LIST, 0, ID_OPEN_URL, ID_REMINDERS, 0, ID_NOTE_FIRST,
                                        ID_NOTE_PREVIOUS, ID_NOTE_NEXT, ID_NOTE_LAST}));
  size_t glyphs = 0;
  for (WORD id : buttons) {
    if (id == 0) continue;
    ++glyphs;
    std::string prompt = LoadResourceString(id);
    size_t newline = prompt.find('\n');
    EXPECT_TRUE(newline != std::string::npos && newline + 1 < prompt.size())
        << "button " << id << " has no tooltip";
  }
  CBitmapOwner strip(static_cast<HBITMAP>(
      LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ASSERT_TRUE(strip.Valid());
  BITMAP info{};
  GetObjectA(strip.Get(), sizeof info, &info);
  EXPECT_EQ(info.bmWidth, static_cast<LONG>(24 * glyphs));
  EXPECT_EQ(info.bmHeight, 24);
}

TEST(ResourcesTest, EveryMenuAndKeyCommandHasAPrompt) {
  std::set<UINT> commands;
  for (UINT id : {IDR_MAINFRAME, IDR_POPUP_MENUS}) {
    CMenuOwner menu(LoadMenuA(Module(), MAKEINTRESOURCEA(id)));
    ASSERT_TRUE(menu.Valid());
    CollectCommands(menu.Get(), commands);
  }
  commands.insert({ID_HELP, ID_CONTEXT_HELP});
  commands.erase(ID_TRAY_NEW_NOTE);  // a tray menu item: no status bar to show a prompt
  for (UINT id : commands) EXPECT_FALSE(LoadResourceString(id).empty()) << "command " << id;
}

// ---------------------------------------------------------------------------
// Pictures

struct Dib {
  CBitmapOwner bitmap;
  DIBSECTION section{};
};

bool LoadDib(UINT id, Dib& dib) {
  dib.bitmap = CBitmapOwner(static_cast<HBITMAP>(
      LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  return dib.bitmap.Valid() &&
         GetObjectA(dib.bitmap.Get(), sizeof dib.section, &dib.section) == sizeof dib.section;
}

TEST(ResourcesTest, SplashAndPictureLoadWithAPalette) {
  Dib splash, picture;
  ASSERT_TRUE(LoadDib(IDB_SPLASH, splash));
  EXPECT_GE(splash.section.dsBm.bmWidth, 200);
  EXPECT_GE(splash.section.dsBm.bmHeight, 100);
  // The splash is drawn with its own palette, so it needs a colour table.
  EXPECT_EQ(splash.section.dsBmih.biBitCount, 8);
  EXPECT_GT(splash.section.dsBmih.biClrUsed, 0u);
  ASSERT_TRUE(LoadDib(IDB_PICTURE, picture));
  EXPECT_GT(picture.section.dsBm.bmHeight, picture.section.dsBm.bmWidth);  // stands at the left
}

TEST(ResourcesTest, ReminderMarkIsASymbolBesideItsMask) {
  Dib mark;
  ASSERT_TRUE(LoadDib(IDB_REMINDER_MARK, mark));
  ASSERT_EQ(mark.section.dsBm.bmWidth, 32);
  ASSERT_EQ(mark.section.dsBm.bmHeight, 16);
  CCreatedDC dc(CreateCompatibleDC(nullptr));
  CSelectObject selected(dc.Get(), mark.bitmap.Get());
  int opaque = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      COLORREF symbol = GetPixel(dc.Get(), x, y);
      COLORREF mask = GetPixel(dc.Get(), x + 16, y);
      ASSERT_TRUE(mask == RGB(0, 0, 0) || mask == RGB(255, 255, 255)) << x << "," << y;
      // Painted with SRCAND (mask) then SRCPAINT (symbol): around the mark
      // the symbol must be black so the row shows through unchanged.
      if (mask == RGB(255, 255, 255)) {
        EXPECT_EQ(symbol, RGB(0, 0, 0)) << x << "," << y;
      } else {
        ++opaque;
      }
    }
  }
  EXPECT_GT(opaque, 64);
  EXPECT_LT(opaque, 256);
}

TEST(ResourcesTest, IconHasLargeAndSmallImages) {
  for (int size : {32, 16}) {
    HICON icon = static_cast<HICON>(
        LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP mask{};
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, size);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
  // The group lists exactly the two sizes, so neither is scaled from the other.
  std::vector<uint8_t> group = ResourceBytes(RT_GROUP_ICON, IDR_MAINFRAME);
  ASSERT_GE(group.size(), 6u + 2 * 14);
  std::set<int> sizes;
  for (size_t i = 0; i < group[4]; ++i) sizes.insert(group[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

// ---------------------------------------------------------------------------
// Dialog templates and their help ids

struct DialogControl {
  DWORD helpId;
  DWORD style;
  DWORD id;
  std::string className;  // "#130" for the predefined static class
  bool bitmap;
};
struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  std::string title;
  std::vector<DialogControl> controls;
};

// Reads a DLGTEMPLATEEX: header, menu, class, title, font, then the items,
// each starting on a 4-byte boundary.
DialogTemplate ParseDialog(const std::vector<uint8_t>& bytes) {
  DialogTemplate result;
  size_t at = 0;
  auto need = [&](size_t n) { return at + n <= bytes.size(); };
  auto word = [&]() {
    WORD w = need(2) ? static_cast<WORD>(bytes[at] | bytes[at + 1] << 8) : 0;
    at += 2;
    return w;
  };
  auto dword = [&]() {
    DWORD low = word();
    return low | static_cast<DWORD>(word()) << 16;
  };
  auto text = [&]() {
    std::string s;
    for (WORD c = word(); c != 0 && need(0); c = word()) s += c < 128 ? char(c) : '?';
    return s;
  };
  auto nameOrOrdinal = [&]() -> std::string {
    WORD first = word();
    if (first == 0) return "";
    if (first == 0xFFFF) return "#" + std::to_string(word());
    at -= 2;
    return text();
  };
  if (word() != 1 || word() != 0xFFFF) return result;
  result.extended = true;
  dword();  // help id of the dialog
  dword();  // extended style
  result.style = dword();
  WORD count = word();
  at += 8;  // x, y, cx, cy
  nameOrOrdinal();
  nameOrOrdinal();
  result.title = text();
  if (result.style & DS_SETFONT) {
    at += 6;  // point size, weight, italic, charset
    text();
  }
  for (WORD i = 0; i < count && need(24); ++i) {
    at = (at + 3) & ~size_t(3);
    DialogControl control{};
    control.helpId = dword();
    dword();
    control.style = dword();
    at += 8;
    control.id = dword();
    control.className = nameOrOrdinal();
    std::string title = nameOrOrdinal();
    bool isStatic = control.className == "#130" || lstrcmpiA(control.className.c_str(), "Static") == 0;
    control.bitmap = isStatic && (control.style & SS_TYPEMASK) == SS_BITMAP;
    at += word();  // creation data
    result.controls.push_back(control);
  }
  return result;
}

// The help id a control must carry: 0 for labels, standard buttons and
// pictures, otherwise the rule or one of its fixed exceptions.
DWORD ExpectedHelpId(UINT dialog, const DialogControl& control) {
  if (control.id == 0xFFFF || control.id == 0xFFFFFFFF || control.id == IDOK ||
      control.id == IDCANCEL || control.id == ID_HELP || control.bitmap) {
    return 0;
  }
  if (dialog == IDD_SPLASH || dialog == 162) return 0;  // splash text, welcome page
  static const std::map<std::pair<UINT, DWORD>, DWORD> exceptions = {
      {{134, 10900}, 0x80852A94}, {{134, 10901}, 0x80852A95}, {{134, 10902}, 0x80852A96},
      {{163, 10900}, 0x80852A94}, {{164, 10901}, 0x80852A95}, {{164, 10902}, 0x80852A96},
      {{165, 11209}, 0x80912BC9}, {{166, 11102}, 0x809D2B5E}, {{166, 11103}, 0x809D2B5F},
      {{166, 11104}, 0x809D2B60}, {{168, 11100}, 0x809D2B5C}, {{155, 10802}, 0x809B4DBC},
      {{155, 10803}, 0x809B4DBD},
  };
  auto it = exceptions.find({dialog, control.id});
  if (it != exceptions.end()) return it->second;
  return HELPID_CONTROL(dialog, control.id);
}

BOOL CALLBACK CollectDialogId(HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
  if (IS_INTRESOURCE(name)) {
    reinterpret_cast<std::vector<UINT>*>(list)->push_back(
        static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)));
  }
  return TRUE;
}

TEST(ResourcesTest, AboutBoxAndSplashTemplates) {
  DialogTemplate about = ParseDialog(ResourceBytes(RT_DIALOG, IDD_ABOUTBOX));
  ASSERT_TRUE(about.extended);
  EXPECT_EQ(about.title, "About Quillery");
  EXPECT_TRUE(about.style & DS_CONTEXTHELP);
  std::map<DWORD, DWORD> helpIds;
  bool picture = false;
  for (const DialogControl& c : about.controls) {
    helpIds[c.id] = c.helpId;
    picture |= c.bitmap;
  }
  EXPECT_TRUE(picture);
  EXPECT_EQ(helpIds[IDC_ABOUT_PRODUCT], 0x80642710u);
  EXPECT_EQ(helpIds[IDC_ABOUT_VERSION], 0x80642711u);
  EXPECT_EQ(helpIds[IDC_ABOUT_COPYRIGHT], 0x80642712u);
  EXPECT_EQ(helpIds[IDOK], 0u);

  DialogTemplate splash = ParseDialog(ResourceBytes(RT_DIALOG, IDD_SPLASH));
  ASSERT_TRUE(splash.extended);
  EXPECT_EQ(splash.title, "");
  EXPECT_NE(splash.style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  ASSERT_EQ(splash.controls.size(), 1u);
  EXPECT_EQ(splash.controls[0].id, static_cast<DWORD>(IDC_SPLASH_TEXT));
  EXPECT_EQ(splash.controls[0].helpId, 0u);
}

// The program's dialogs, sheets' pages and the splash box; other templates
// (such as the print preview's bar) offer no control help.
const std::set<UINT> HELP_DIALOGS = {100, 106, 132, 134, 135, 139, 140, 145, 146, 150, 151,
                                     153, 155, 157, 162, 163, 164, 165, 166, 168, 170};

TEST(ResourcesTest, EveryHelpDialogIsExtendedAndFollowsTheHelpIdRule) {
  std::vector<UINT> dialogs;
  EnumResourceNamesA(Module(), RT_DIALOG, CollectDialogId, reinterpret_cast<LONG_PTR>(&dialogs));
  EXPECT_GE(dialogs.size(), 2u);
  for (UINT dialog : dialogs) {
    if (HELP_DIALOGS.count(dialog) == 0) continue;
    DialogTemplate t = ParseDialog(ResourceBytes(RT_DIALOG, dialog));
    ASSERT_TRUE(t.extended) << "dialog " << dialog << " is not an extended template";
    for (const DialogControl& c : t.controls) {
      EXPECT_EQ(c.helpId, ExpectedHelpId(dialog, c))
          << "dialog " << dialog << " control " << static_cast<int>(c.id);
    }
  }
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(ResourcesTest, AboutBoxCreatesWithContextHelpIds) {
  HWND box = CreateDialogParamA(Module(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, PlainDialogProc, 0);
  ASSERT_NE(box, nullptr);
  // Wine creates the controls but does not give them the template's help ids.
  if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr) {
    DestroyWindow(box);
    GTEST_SKIP() << "no per-control help ids under Wine";
  }
  EXPECT_EQ(GetWindowContextHelpId(GetDlgItem(box, IDC_ABOUT_PRODUCT)), 0x80642710u);
  EXPECT_EQ(GetWindowContextHelpId(GetDlgItem(box, IDOK)), 0u);
  DestroyWindow(box);
}

// ---------------------------------------------------------------------------
// Version information and manifest

std::string VersionString(const std::vector<char>& block, const char* name) {
  std::string path = LoadResourceString(IDS_VERSION_STRING_BLOCK) + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      value == nullptr) {
    return "<missing>";
  }
  return std::string(value);
}

TEST(ResourcesTest, VersionResourceNamesProductVersionAndMaker) {
  char path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &handle);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  char version[32];
  snprintf(version, sizeof version, "%d.%02d.%03d", HIWORD(fixed->dwProductVersionMS),
           LOWORD(fixed->dwProductVersionMS), HIWORD(fixed->dwProductVersionLS));
  EXPECT_EQ(VersionString(block, "ProductVersion"), version);
  EXPECT_EQ(VersionString(block, "ProductName"), "Quillery");
  std::string legal = VersionString(block, "LegalCopyright");
  EXPECT_NE(legal.find("Brindle Software"), std::string::npos) << legal;
  EXPECT_EQ(legal.find('\n'), std::string::npos);
}

TEST(ResourcesTest, ManifestAsksForCommonControls6) {
  std::vector<uint8_t> bytes = ResourceBytes(RT_MANIFEST, 1);
  std::string manifest(bytes.begin(), bytes.end());
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find(">false</dpiAware>"), std::string::npos);
}

}  // namespace
