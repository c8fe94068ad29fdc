#pragma once
#include <windows.h>

#include <cstdint>
#include <ctime>
#include <string>

#include "help/win32/HelpDialogs.h"
#include "reminders/DueQueue.h"
#include "reminders/LocalTime.h"

// Sets or changes one note's reminder: a box to switch it on and the date
// and time pickers. The caller fills the members before DoModal and reads
// them after OK.
class CSetReminderDlg : public CHelpDialog {
 public:
  CSetReminderDlg(uint32_t noteNumber, ILocalTime& localTime);

  std::time_t pickedDate = 0;  // its calendar date shows in the date picker
  std::time_t pickedTime = 0;  // its time of day shows in the time picker
  int enabled = 1;             // the box
  int32_t chosenTime = 0;      // the combined moment, valid after OK

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void EnablePickers();

  const uint32_t noteNumber;
  ILocalTime& localTime;
};

// A due reminder: the note's whole text, a snooze interval and the answer.
// Shows over every window, also while the main window is hidden.
class CReminderPopupDlg : public CHelpDialog {
 public:
  // `owner` null: the main window.
  CReminderPopupDlg(uint32_t noteNumber, std::string text, int snoozeIndex, HWND owner = nullptr);

  // Played on opening when not empty.
  std::string soundFile;
  // The list's index when Snooze was chosen.
  int snoozeIndex;
  // Stays Quit when the popup ended without the user's answer: the program
  // is quitting, or the popup could not be shown.
  PopupAnswer answer = PopupAnswer::Quit;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  const uint32_t noteNumber;
  const std::string text;
};
