#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "help/win32/HelpDialogs.h"

// The small dialogs of the note commands. The document fills the members
// before DoModal and reads them after OK.

// Asks for the number of the note to show.
class CGoToNoteDlg : public CHelpDialog {
 public:
  CGoToNoteDlg();

  unsigned noteNumber = 0;  // in: the current note; out: the chosen one
  unsigned maxNote = 0;     // the highest number allowed

 protected:
  void DoDataExchange(CDataExchange& dx) override;
};

// Asks where the current note goes: in front of the first note, or behind
// a note by number.
class CMoveNoteDlg : public CHelpDialog {
 public:
  CMoveNoteDlg(uint32_t currentNote, uint32_t noteCount);

  unsigned afterNote = 0;  // the number in the edit
  int placement = -1;      // 0: before the first note, 1: after note afterNote

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  const uint32_t currentNote;
  const uint32_t noteCount;
};

// Shows a note's number line and its creation and modification times.
class CNotePropertiesDlg : public CHelpDialog {
 public:
  CNotePropertiesDlg();

  std::string numberText;
  std::string createdText;
  std::string modifiedText;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
};
