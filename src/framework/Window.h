#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

// Window objects and command targets: CWnd binds a C++ object to its window
// for the window's whole life; CCmdTarget answers commands and their
// enabled/checked state from a table per class; CCmdUI is the item whose
// state an update handler sets (menu item, toolbar button, status pane).

class CCmdUI {
 public:
  explicit CCmdUI(UINT commandId) : id(commandId) {}
  virtual ~CCmdUI() = default;
  virtual void Enable(bool on = true) = 0;
  virtual void SetCheck(bool on = true) = 0;
  virtual void SetText(const std::string& text) = 0;

  const UINT id;
};

// Records what an update handler said, to decide whether a command that
// arrives from an accelerator or a menu may run.
class CTestCmdUI : public CCmdUI {
 public:
  using CCmdUI::CCmdUI;
  void Enable(bool on = true) override { enabled = on; }
  void SetCheck(bool) override {}
  void SetText(const std::string&) override {}
  bool enabled = true;
};

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;
  // Runs the command; false when this target has no handler for it.
  virtual bool OnCommand(UINT id);
  // Sets the command's state; false when this target does not handle it.
  virtual bool OnUpdateCommand(CCmdUI& ui);

 protected:
  // One row of a class's command table. A row without `run` handles only
  // the state; a row without `update` leaves its command enabled.
  template <class T>
  struct CommandEntry {
    UINT id;
    void (T::*run)();
    void (T::*update)(CCmdUI&);
  };

  template <class T, size_t N>
  static bool RunFromTable(T* self, const CommandEntry<T> (&table)[N], UINT id) {
    for (const CommandEntry<T>& e : table) {
      if (e.id == id && e.run != nullptr) {
        (self->*e.run)();
        return true;
      }
    }
    return false;
  }
  template <class T, size_t N>
  static bool UpdateFromTable(T* self, const CommandEntry<T> (&table)[N], CCmdUI& ui) {
    for (const CommandEntry<T>& e : table) {
      if (e.id != ui.id) continue;
      if (e.update != nullptr) {
        (self->*e.update)(ui);
      } else {
        ui.Enable(true);
      }
      return true;
    }
    return false;
  }
};

// A window owned by a C++ object. The object is bound at WM_NCCREATE (from
// the creation parameter) and unbound after WM_NCDESTROY; the window
// procedure never lets an exception out. A window of a system control class
// keeps its class name (screen readers know a control by it): the object is
// put in front of the control's own procedure as the window is created, so
// it still sees every message first, WM_NCCREATE included.
class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return hwnd; }
  // The object bound to a window, or null.
  static CWnd* FromHandle(HWND window);

  // Handles a message before it is dispatched; true when it is consumed.
  virtual bool PreTranslateMessage(MSG& msg);
  // Handles a notification that a child control sent to this window's
  // parent (WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM,
  // WM_MEASUREITEM); true when it is handled and `result` answers it.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  virtual bool DestroyWindow();

  void SetDlgCtrlId(int id);
  int GetDlgCtrlId() const;

 protected:
  // Creates the window of class `className` (registered by
  // RegisterWindowClass, or a system control class), after PreCreateWindow.
  bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                int y, int width, int height, HWND parent, HMENU menuOrId);
  // Lets a derived class change the class, styles and rectangle.
  virtual bool PreCreateWindow(CREATESTRUCTA& cs);
  // The window's messages; the default calls the class's own procedure.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  // Registers (once per process) a class whose procedure binds objects.
  static bool RegisterWindowClass(const char* className, UINT style, HICON icon, HBRUSH background);
  // Binds this object to an existing window and puts this class's window
  // procedure in front of the window's own, until WM_NCDESTROY.
  void SubclassWindow(HWND window);
  void Bind(HWND window);
  void Unbind();

  HWND hwnd = nullptr;

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Subclasses the window of the object being created on this thread
  // before its first message.
  static LRESULT CALLBACK SubclassAtCreation(int code, WPARAM wParam, LPARAM lParam);

  WNDPROC baseProc = DefWindowProcA;
};

// The bound-object property, shared by windows and dialogs.
namespace framework {
void BindObject(HWND window, CWnd* object);
void UnbindObject(HWND window);
HINSTANCE Instance();
// Offers a message to the bound objects from its window up to the
// top-level window; true when one consumed it.
bool PreTranslateChain(MSG& msg);
// Loads string `id`; the part before the first line break is the prompt,
// the part after it the tooltip.
std::string CommandPrompt(UINT id);
std::string CommandTooltip(UINT id);
}  // namespace framework
