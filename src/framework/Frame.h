#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/FrameworkIds.h"
#include "framework/Handles.h"
#include "framework/View.h"

// The main frame with its menu, accelerators, toolbar and status bar, the
// view that fills the rest of its client area, command routing (active
// view, document, frame, application) and command-state updates (menus on
// WM_INITMENUPOPUP, toolbar and status bar at idle).

// Frame-only style bits, kept apart from the window style: the caption
// shows the document title, and shows it before the application title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;

class CFrameWnd;
class CPrintable;
class CPrintPreview;

// A flat toolbar of one bitmap's buttons with tooltips; the status bar
// shows the prompt of the button under the mouse.
class CToolBar {
 public:
  CToolBar() = default;
  CToolBar(const CToolBar&) = delete;
  CToolBar& operator=(const CToolBar&) = delete;
  ~CToolBar();

  // toolbarStyle: TBSTYLE_ bits (TBSTYLE_FLAT); style: WS_ bits.
  [[nodiscard]] bool CreateEx(CFrameWnd& frame, DWORD toolbarStyle, DWORD style, UINT id = AFX_IDW_TOOLBAR);
  // Loads the toolbar resource (button ids) and the bitmap of the same id.
  [[nodiscard]] bool LoadToolBar(UINT resourceId);
  HWND GetSafeHwnd() const { return hwnd; }
  // Sets every button's state from the update handlers.
  void UpdateButtons(CFrameWnd& frame);

 private:
  friend class CFrameWnd;
  CFrameWnd* frame = nullptr;
  HWND hwnd = nullptr;
};

// A status bar: the message pane, then indicator panes sized to their
// strings and shown only while their update handler enables them.
class CStatusBar {
 public:
  CStatusBar() = default;
  CStatusBar(const CStatusBar&) = delete;
  CStatusBar& operator=(const CStatusBar&) = delete;
  ~CStatusBar();

  [[nodiscard]] bool Create(CFrameWnd& frame, DWORD style, UINT id = AFX_IDW_STATUS_BAR);
  [[nodiscard]] bool SetIndicators(const UINT* ids, int count);
  HWND GetSafeHwnd() const { return hwnd; }
  void SetPaneText(int index, const std::string& text);
  std::string GetPaneText(int index) const;
  void UpdatePanes(CFrameWnd& frame);
  void Resize();

 private:
  class CPaneUI;
  struct Pane {
    UINT id;
    std::string text;  // what the pane says while enabled
    bool enabled;
    int width;
  };
  void ShowPane(int index);
  friend class CFrameWnd;
  CFrameWnd* frame = nullptr;
  HWND hwnd = nullptr;
  std::vector<Pane> panes;
};

class CFrameWnd : public CWnd {
 public:
  CFrameWnd();
  ~CFrameWnd() override;
  struct CCreateContext {
    CDocument* document;
    CView* view;  // created as the first pane, made active
  };

  // Creates the frame from the menu, accelerators, icon and title string
  // of `resourceId` (the title is the part of the string before its first
  // line break). The window stays hidden.
  virtual bool LoadFrame(UINT resourceId, DWORD style, const CCreateContext* context);

  CView* GetActiveView() const { return activeView; }
  void SetActiveView(CView* view);
  // Shows `view` in the pane in place of the active view, which is hidden
  // and leaves the document; the view must be a child of this frame.
  void SwitchToView(CView& view);
  // A feature's own command table: asked after the frame itself, before
  // the application. The target outlives the frame's routing.
  void AddCommandTarget(CCmdTarget& target) { featureTargets.push_back(&target); }
  CToolBar* GetToolBar() const { return toolBar; }
  CDocument* GetActiveDocument() const { return document; }
  // Places the bars and the view with child id AFX_IDW_PANE_FIRST.
  void RecalcLayout();
  void UpdateFrameTitle();
  const std::string& GetTitle() const { return appTitle; }
  HACCEL GetAccelerators() const { return accelerators; }

  void SetMessageText(const std::string& text);
  // Back to the idle prompt.
  void SetIdleMessage();

  // Routes a command to the active view, the document, this frame and the
  // application; false when none handles it.
  bool RouteCommand(UINT id);
  // Routes a state update the same way; an update nobody handles disables
  // the item unless `disableUnhandled` is false. True when handled.
  bool RouteUpdate(CCmdUI& ui, bool disableUnhandled = true);
  // Toolbar buttons and status-bar indicators, at idle.
  void OnIdleUpdateCmdUI();

  bool PreTranslateMessage(MSG& msg) override;
  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

  // The print preview of `printable` in the pane in place of `view`; false,
  // with "Command failed." shown, when it cannot start.
  bool StartPrintPreview(CView& view, CPrintable& printable);
  bool PrintPreviewRunning() const;
  // A print preview starts (true) or has ended (false).
  virtual void OnPrintPreview(bool /*running*/) {}

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A pop-up menu the frame owns (one of its menu bar or a context menu)
  // is about to show: items the frame's state does not offer go out.
  virtual void PrepareMenu(HMENU /*popup*/) {}
  // WM_CREATE: creates the view of the creation context; -1 fails.
  virtual int OnCreate(CREATESTRUCTA& cs);
  // WM_CLOSE: asks the document, then closes it (which destroys the frame).
  virtual void OnClose();
  // WM_QUERYENDSESSION: false keeps the session.
  virtual bool OnQueryEndSession();
  // WM_ENDSESSION: when ending, closes the document and runs the
  // application's exit work.
  virtual void OnEndSession(bool ending);

  HACCEL accelerators = nullptr;

 private:
  friend class CToolBar;
  friend class CStatusBar;
  bool ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OnCommandMessage(WPARAM wParam, LPARAM lParam);
  bool OnNotify(const NMHDR& header, LRESULT& result);
  void OnInitMenuPopup(HMENU menu);
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);
  void OnViewToolbar();
  void OnViewStatusBar();
  void OnUpdateViewToolbar(CCmdUI& ui);
  void OnUpdateViewStatusBar(CCmdUI& ui);
  void OnUpdateKeyIndicator(CCmdUI& ui);
  static const CommandEntry<CFrameWnd> COMMANDS[4];

  CMenuOwner menu;  // owned until it is attached to the window
  std::string appTitle;
  DWORD frameStyle = 0;
  const CCreateContext* createContext = nullptr;
  CDocument* document = nullptr;
  CView* activeView = nullptr;
  CToolBar* toolBar = nullptr;
  CStatusBar* statusBar = nullptr;
  std::vector<CCmdTarget*> featureTargets;
  std::unique_ptr<CPrintPreview> preview;
};
