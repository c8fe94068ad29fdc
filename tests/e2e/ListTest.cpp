// The summary list: switching views, starting in the list, deleting
// several notes and reordering notes by dragging rows with the mouse.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>

#include "Fixture.h"
#include "res/resource.h"

using namespace e2e;

namespace {

// Memory in the program's process, for list messages that carry pointers.
class RemoteBuffer {
 public:
  RemoteBuffer(DWORD pid, size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_ != nullptr) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  void Write(const void* data, size_t size) { WriteProcessMemory(process_, address_, data, size, nullptr); }
  void Read(void* data, size_t size) const { ReadProcessMemory(process_, address_, data, size, nullptr); }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

// A running copy on a pad of `notes`, showing note 1.
struct ListSession : Session {
  explicit ListSession(const std::vector<std::string>& notes, bool startInList = false)
      : Session(notes, [startInList] {
          if (startInList) WriteDword("Appearance", "Note Mode", 0);
        }) {}

  HWND List() const { return FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr); }

  // Switches to the list and waits for it.
  HWND ShowList(int count) {
    Command(main, ID_VIEW_LIST);
    EXPECT_TRUE(WaitForCaption(main, ListCaption(count))) << WindowText(main);
    HWND list = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (list = List()) != nullptr && IsWindowVisible(list); }));
    return list;
  }

  // Selected rows, 0-based, in order.
  std::vector<int> Selected(HWND list) const {
    std::vector<int> rows;
    int item = -1;
    while ((item = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, item, LVNI_SELECTED))) >= 0) rows.push_back(item);
    return rows;
  }

  void SetSelected(HWND list, int item, bool on) {
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = on ? LVIS_SELECTED : 0;
    RemoteBuffer buffer(program->pid(), sizeof state);
    buffer.Write(&state, sizeof state);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), buffer.Address());
  }

  // A row's rectangle in screen coordinates.
  RECT RowRect(HWND list, int item) {
    RECT row{};
    row.left = LVIR_BOUNDS;
    RemoteBuffer buffer(program->pid(), sizeof row);
    buffer.Write(&row, sizeof row);
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), buffer.Address());
    buffer.Read(&row, sizeof row);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
    return row;
  }
};

void SendMouse(DWORD flags, int x = 0, int y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if ((flags & MOUSEEVENTF_MOVE) != 0) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN));
  }
  SendInput(1, &input, sizeof input);
  Sleep(40);
}

// Presses the mouse at (x0, y0), moves it in steps to (x1, y1) and lets go.
void Drag(int x0, int y0, int x1, int y1) {
  SendMouse(MOUSEEVENTF_MOVE, x0, y0);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  constexpr int STEPS = 12;
  for (int i = 1; i <= STEPS; ++i) SendMouse(MOUSEEVENTF_MOVE, x0 + (x1 - x0) * i / STEPS, y0 + (y1 - y0) * i / STEPS);
  Sleep(100);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

}  // namespace

TEST_F(E2eTest, ListAndNoteViewsKeepTheCurrentNote) {
  ListSession s({"a", "b", "c"});
  ASSERT_NE(s.main, nullptr);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(2, 3)));
  HWND editor = FindEditor(s.main);
  ASSERT_NE(editor, nullptr);
  HWND list = s.ShowList(3);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(IsWindowVisible(editor));
  EXPECT_EQ(s.Selected(list), std::vector<int>{1});
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);

  // Selecting another row makes its note current for the note view.
  s.SetSelected(list, 1, false);
  s.SetSelected(list, 2, true);
  Command(s.main, ID_VIEW_NOTE);
  ASSERT_TRUE(WaitForCaption(s.main, NoteCaption(3, 3))) << WindowText(s.main);
  EXPECT_TRUE(IsWindowVisible(editor));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(WindowText(editor), "c");

  // Back in the list, the same note is selected.
  s.ShowList(3);
  EXPECT_EQ(s.Selected(list), std::vector<int>{2});
  s.QuitAndRead();
  DWORD mode = 1;
  ASSERT_TRUE(ReadDword("Appearance", "Note Mode", &mode));
  EXPECT_EQ(mode, 0u);
}

TEST_F(E2eTest, StartsInTheListWhenItWasTheLastView) {
  ListSession s({"a", "b", "c"}, true);
  ASSERT_NE(s.main, nullptr);
  ASSERT_TRUE(WaitForCaption(s.main, ListCaption(3))) << WindowText(s.main);
  HWND list = s.List();
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(s.Selected(list), std::vector<int>{0});
  s.QuitAndRead();
}

TEST_F(E2eTest, DeletingTwoSelectedNotesFromTheList) {
  ListSession s({"a", "b", "c", "d", "e"});
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(5);
  ASSERT_NE(list, nullptr);
  s.SetSelected(list, 0, false);
  s.SetSelected(list, 1, true);
  s.SetSelected(list, 3, true);
  ASSERT_EQ(s.Selected(list), (std::vector<int>{1, 3}));
  Command(s.main, ID_NOTE_DELETE);
  ExpectMessageBox(s.program->pid(),
                   "You have selected 2 notes to be deleted. This operation CANNOT be undone. \n\nAre you sure "
                   "these notes should be deleted?",
                   "Yes");
  ASSERT_TRUE(WaitForCaption(s.main, ListCaption(3))) << WindowText(s.main);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
  // The first deleted note's place is current: the former note 3.
  EXPECT_EQ(s.Selected(list), std::vector<int>{1});
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"a", "c", "e"}));
}

TEST_F(E2eTest, DraggingRowsReordersTheNotes) {
  ListSession s({"a", "b", "c", "d", "e", "f", "g", "h"});
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(8);
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(WaitFor([&] { return s.RowRect(list, 7).bottom > s.RowRect(list, 0).bottom; }));

  // Note 5 onto the upper half of row 2: it becomes note 2.
  RECT from = s.RowRect(list, 4);
  RECT to = s.RowRect(list, 1);
  Drag(from.left + 40, (from.top + from.bottom) / 2, to.left + 40, to.top + 2);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == std::vector<int>{1}; })) << s.Selected(list).size();

  // Now note 2 onto the lower half of row 7: it goes behind note 7.
  from = s.RowRect(list, 1);
  to = s.RowRect(list, 6);
  Drag(from.left + 40, (from.top + from.bottom) / 2, to.left + 40, to.bottom - 2);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == std::vector<int>{6}; }));

  // Onto its own lower half: the order stays.
  from = s.RowRect(list, 6);
  Drag(from.left + 40, from.top + 2, from.left + 60, from.bottom - 2);
  Sleep(300);
  EXPECT_EQ(s.Selected(list), std::vector<int>{6});
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), (std::vector<std::string>{"a", "b", "c", "d", "f", "g", "e", "h"}));
}

namespace {

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

// Presses `key` while `modifier` is held.
void Chord(WORD modifier, WORD key) {
  SendKey(modifier, false);
  SendKey(key, false);
  SendKey(key, true);
  SendKey(modifier, true);
}

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> texts;
  for (int n = 1; n <= count; ++n) texts.push_back("n" + std::to_string(n));
  return texts;
}

}  // namespace

// From note 10,000 on the number text no longer sorts like the number: the
// rows must still be the notes in order.
TEST_F(E2eTest, AFullPadDeletesAndDragsTheNotePicked) {
  constexpr int FULL = 16384;
  ListSession s(Numbered(FULL));
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(FULL);
  ASSERT_NE(list, nullptr);
  s.SetSelected(list, 0, false);
  s.SetSelected(list, 9999, true);
  Command(s.main, ID_NOTE_DELETE);
  ExpectMessageBox(s.pid(), "Are you sure you want this note deleted?", "Yes");
  ASSERT_TRUE(WaitForCaption(s.main, ListCaption(FULL - 1))) << WindowText(s.main);
  EXPECT_EQ(s.Selected(list), std::vector<int>{9999});

  // The former note 10,001, now 10,000, onto the upper half of row 9,998.
  SendMessageA(list, LVM_ENSUREVISIBLE, 9996, FALSE);
  SendMessageA(list, LVM_ENSUREVISIBLE, 10000, FALSE);
  const RECT from = s.RowRect(list, 9999);
  const RECT to = s.RowRect(list, 9997);
  Drag(from.left + 40, (from.top + from.bottom) / 2, to.left + 40, to.top + 2);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == std::vector<int>{9997}; }));

  std::vector<std::string> expected = Numbered(FULL);
  expected.erase(expected.begin() + 9999);
  expected.insert(expected.begin() + 9997, "n10001");
  expected.erase(expected.begin() + 10000);
  // Reading the file while it is saved would lock it against the save: wait
  // for its size to change without opening it.
  const std::string path = s.folder.notesFile();
  const size_t before = ReadFileBytes(path).size();
  Command(s.main, ID_SAVE_NOTES);
  ASSERT_TRUE(WaitFor([&] {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeLow != before;
  }));
  EXPECT_EQ(NoteTexts(ReadFileBytes(path)), expected);

  // Every note at once: one pass, not one note at a time.
  Command(s.main, ID_EDIT_SELECT_ALL);
  ASSERT_TRUE(WaitFor([&] { return SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == FULL - 1; }));
  Command(s.main, ID_NOTE_DELETE);
  MessageBoxInfo box = WaitForMessageBox(s.pid());
  ASSERT_NE(box.window, nullptr);
  const DWORD start = GetTickCount();
  PressButton(box.window, "Yes");
  ASSERT_TRUE(WaitForCaption(s.main, ListCaption(0))) << WindowText(s.main);
  const DWORD took = GetTickCount() - start;
  std::printf("deleting %d notes from the list took %lu ms\n", FULL - 1, took);
  // One note at a time took minutes; the list control's own work remains.
  EXPECT_LT(took, 10000u);
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), std::vector<std::string>{});
}

TEST_F(E2eTest, TheListSelectionFollowsTheCurrentNote) {
  ListSession s(Numbered(12));
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(12);
  ASSERT_NE(list, nullptr);
  const RECT third = s.RowRect(list, 2);
  SendMouse(MOUSEEVENTF_MOVE, third.left + 40, (third.top + third.bottom) / 2);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  SendMouse(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == std::vector<int>{2}; }));

  // Shift extends from the note made current, not from the row clicked.
  Command(s.main, ID_NOTE_NEXT);
  Command(s.main, ID_NOTE_NEXT);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == std::vector<int>{4}; }));
  Chord(VK_SHIFT, VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list) == (std::vector<int>{4, 5}); })) << s.Selected(list).size();

  Chord(VK_CONTROL, 'A');
  ASSERT_TRUE(WaitFor([&] { return s.Selected(list).size() == 12; })) << s.Selected(list).size();
  Command(s.main, ID_NOTE_DELETE);
  ExpectMessageBox(s.pid(),
                   "You have selected 12 notes to be deleted. This operation CANNOT be undone. \n\nAre you sure "
                   "these notes should be deleted?",
                   "No");
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), Numbered(12));
}

// A drag given up by Escape, or cut short when another window takes the
// mouse, moves nothing and leaves no scrolling behind.
TEST_F(E2eTest, EscapeOrALostCaptureEndsADrag) {
  ListSession s(Numbered(80));
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(80);
  ASSERT_NE(list, nullptr);
  RECT client{};
  GetClientRect(list, &client);
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const auto top = [&] { return SendMessageA(list, LVM_GETTOPINDEX, 0, 0); };

  for (bool escape : {true, false}) {
    SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
    const RECT first = s.RowRect(list, 0);
    SendMouse(MOUSEEVENTF_MOVE, first.left + 40, (first.top + first.bottom) / 2);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    for (int y = first.bottom; y < client.bottom + 30; y += 8) SendMouse(MOUSEEVENTF_MOVE, first.left + 40, y);
    ASSERT_TRUE(WaitFor([&] { return top() > 1; })) << "scrolling below the list";
    if (escape) {
      SendKey(VK_ESCAPE, false);
      SendKey(VK_ESCAPE, true);
    } else {
      SendMessageA(list, WM_CAPTURECHANGED, 0, 0);
    }
    Sleep(100);
    const LRESULT stopped = top();
    Sleep(600);  // more than two ticks of the slow scrolling
    EXPECT_EQ(top(), stopped) << (escape ? "Escape" : "lost capture");
    const RECT row = s.RowRect(list, static_cast<int>(stopped) + 2);
    SendMouse(MOUSEEVENTF_MOVE, row.left + 40, row.top + 2);
    SendMouse(MOUSEEVENTF_LEFTUP);
  }
  EXPECT_EQ(NoteTexts(s.QuitAndRead()), Numbered(80));
}

namespace {

// Dark pixels on the screen inside the window: text and lines drawn there.
int DarkPixels(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  int dark = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = GetPixel(screen, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) ++dark;
    }
  }
  ReleaseDC(nullptr, screen);
  return dark;
}

}  // namespace

TEST_F(E2eTest, TheListRepaintsItsHeaderWhenTheToolbarComesBack) {
  ListSession s(Numbered(40));
  ASSERT_NE(s.main, nullptr);
  HWND list = s.ShowList(40);
  ASSERT_NE(list, nullptr);
  HWND header = FindWindowExA(list, nullptr, WC_HEADERA, nullptr);
  ASSERT_NE(header, nullptr);
  ASSERT_TRUE(WaitFor([&] { return DarkPixels(header) > 20; })) << "headings drawn at first";
  for (int i = 0; i < 2; ++i) {
    RECT before{};
    GetWindowRect(header, &before);
    Command(s.main, ID_VIEW_TOOLBAR);
    ASSERT_TRUE(WaitFor([&] {
      RECT now{};
      GetWindowRect(header, &now);
      return now.top != before.top;
    }));
    EXPECT_TRUE(WaitFor([&] { return DarkPixels(header) > 20; }, 3000)) << "toolbar toggled " << i + 1 << " times";
  }
  s.QuitAndRead();
}
