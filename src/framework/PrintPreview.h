#pragma once
#include <windows.h>

#include <vector>

#include "framework/Handles.h"
#include "framework/Print.h"
#include "framework/Window.h"

class CFrameWnd;
class CView;

// The print preview: a window in the frame's pane in place of the view,
// with a bar of Print, Next Page, Prev Page, One/Two Page, Zoom and Close
// (Page Down, Page Up and Esc from the keyboard) above the pages, which the
// view draws into metafiles made for the chosen printer. A zoomed page runs
// below the window and scrolls (scroll bar, wheel, arrows, Home and End).
class CPrintPreview : public CWnd {
 public:
  CPrintPreview(CFrameWnd& frame, CView& view, CPrintable& printable);
  ~CPrintPreview() override;

  // Shows page 1; false when there is no printer or no window.
  [[nodiscard]] bool Start();
  // Ends the printout and gives the pane back to the view.
  void Close();
  bool Running() const { return running; }

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnButton(UINT id);
  void GoTo(UINT page);
  // The view's drawing of `page`, or null when there is no such page.
  HENHMETAFILE PageImage(UINT page);
  void Paint(HDC dc);
  void UpdateBar();
  void Layout();
  struct PaperSize {
    int width;
    int height;
  };
  // One page's size in the window, zoomed or fitted.
  PaperSize PaperOnScreen() const;
  void UpdateScrollBar();
  void ScrollTo(int top);
  void OnVScroll(WORD request);
  // Alt and an underlined letter of the bar; false when no enabled button
  // has it.
  bool OnMnemonic(char key);

  CFrameWnd& frame;
  CView& view;
  CPrintable& printable;
  CPrintInfo info;
  CCreatedDC printer;
  std::vector<HENHMETAFILE> pages;  // index page - 1, null until drawn
  UINT page = 1;
  bool twoPages = false;
  bool zoomed = false;
  int scrollTop = 0;  // pixels of the zoomed page scrolled above the window
  bool running = false;
  int viewId = 0;
};
