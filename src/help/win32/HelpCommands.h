#pragma once
#include <windows.h>

#include "framework/Frame.h"
#include "settings/Settings.h"

// The main window's help commands: the topic of the view shown (F1), the
// questions asked most, the help file's contents, a menu item's topic, and
// Shift+F1's help cursor. The frame routes them here.
class CHelpCommands : public CCmdTarget {
 public:
  CHelpCommands(CFrameWnd& frame, const Settings& settings) : frame(frame), settings(settings) {}

  // WM_HELP of the frame: a menu item's topic; false leaves the request to
  // the default handling.
  bool OnMenuItemHelp(const HELPINFO& info);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void OnHelp();
  void OnHelpFaq();
  void OnHelpFinder();
  // Shift+F1: the help cursor until a click says what help is wanted, or
  // Escape or a click elsewhere ends the mode.
  void OnContextHelp();
  uint32_t HelpContextAt(POINT screenPoint);
  bool NoteViewShown() const { return settings.noteMode == 1; }
  static const CommandEntry<CHelpCommands> COMMANDS[4];

  CFrameWnd& frame;
  const Settings& settings;
};
