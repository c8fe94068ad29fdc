#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Window.h"

// The one document and its views. A view is a child window of the frame;
// CEditView and CListView are the system's multi-line edit and list-view
// controls themselves, under the system's class names. Their messages reach
// the view object first, and the notifications they send their parent come
// back to it through the frame (OnChildNotify).

class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
 public:
  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& GetViews() const { return views; }

  // The title shown after the application title in the frame's caption.
  void SetTitle(const std::string& text);
  const std::string& GetTitle() const { return title; }
  void SetModifiedFlag(bool modified = true) { this->modified = modified; }
  bool IsModified() const { return modified; }

  // Called once the frame and its first view exist.
  virtual bool OnNewDocument();
  // Closes the document: destroys the frame that shows it.
  virtual void OnCloseDocument();
  // Asked before the document closes; false keeps it open.
  virtual bool SaveModified();

 private:
  std::vector<CView*> views;
  std::string title;
  bool modified = false;
};

class CView : public CWnd {
 public:
  ~CView() override;
  // Creates the view as a child of `frame` with the child id `id`.
  bool Create(CFrameWnd& frame, UINT id, DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER);
  CDocument* GetDocument() const { return document; }
  CFrameWnd* GetParentFrame() const { return frame; }

  // Called after the document is ready and before the view is first shown.
  virtual void OnInitialUpdate();

 protected:
  // The window class of this kind of view.
  virtual const char* WindowClass() = 0;
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // WM_CONTEXTMENU at screen point (x, y), both -1 from the keyboard; false
  // leaves the control's own handling.
  virtual bool OnContextMenu(int x, int y);

 private:
  friend class CDocument;
  CDocument* document = nullptr;
  CFrameWnd* frame = nullptr;
};

// A view that is a multi-line edit control, with the clipboard and undo
// commands (Undo, Cut, Copy, Paste, Select All).
class CEditView : public CView {
 public:
  std::string GetText() const;
  int TextLength() const;
  void SetText(const std::string& text);
  // Tab stops every `dialogUnits` dialog units (4 units are one average
  // character width).
  void SetTabStops(int dialogUnits);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 protected:
  const char* WindowClass() override;
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnUndo();
  void OnCut();
  void OnCopy();
  void OnPaste();
  void OnSelectAll();
  void OnUpdateUndo(CCmdUI& ui);
  void OnUpdateNeedSelection(CCmdUI& ui);
  void OnUpdatePaste(CCmdUI& ui);
  void OnUpdateSelectAll(CCmdUI& ui);
  static const CommandEntry<CEditView> COMMANDS[5];
};

// A view that is a list-view control; owner-drawn rows come to DrawItem.
class CListView : public CView {
 public:
  bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 protected:
  const char* WindowClass() override;
  virtual void DrawItem(const DRAWITEMSTRUCT& item) = 0;
};
