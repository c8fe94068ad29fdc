#pragma once
#include <windows.h>

#include <shellapi.h>

#include "framework/Frame.h"

class CMainFrame;

// The main window's icon in the taskbar's notification area, what the
// icon's clicks do, and the tray menu's commands. The frame routes the
// commands here and hands over the icon's notifications.
class CTrayCommands : public CCmdTarget {
 public:
  explicit CTrayCommands(CMainFrame& frame);
  ~CTrayCommands() override;
  CTrayCommands(const CTrayCommands&) = delete;
  CTrayCommands& operator=(const CTrayCommands&) = delete;

  // Fills the icon's record once the window exists.
  void Attach(HWND window);
  // Add: true when the shell took the icon; the icon stays absent
  // otherwise. Delete: always true.
  bool SetTrayIcon(bool add);
  bool Shown() const { return trayIconShown; }

  // WM_APP_TRAY_NOTIFY: 1 when handled, else 0.
  LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
  // The shell's "TaskbarCreated": the taskbar came back without our icon.
  bool IsTaskbarCreated(UINT message) const { return message != 0 && message == taskbarCreated; }
  void OnTaskbarCreated();
  // WM_TIMER of the frame: true when the timer was the tray's.
  bool OnTimer(UINT_PTR id);

  bool OnCommand(UINT id) override;
  bool OnUpdateCommand(CCmdUI& ui) override;

 private:
  void ShowMenu();
  void OnOpen();
  void OnNewNote();
  void StartNewNote();
  static const CommandEntry<CTrayCommands> COMMANDS[2];

  CMainFrame& frame;
  NOTIFYICONDATAA trayIconData{};
  bool trayIconShown = false;
  const UINT taskbarCreated;
  // A new note asked for while a dialog was open, started when it closes.
  bool newNoteWaiting = false;
};
