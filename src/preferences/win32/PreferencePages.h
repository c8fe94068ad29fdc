#pragma once
#include <windows.h>

#include <ctime>
#include <string>

#include "framework/Handles.h"
#include "help/win32/HelpDialogs.h"
#include "settings/Settings.h"

// The Preferences sheet and its five pages. The pages edit one copy of the
// settings, `values`; only OK hands it back. The colour dialogs' custom
// colours are the exception: they are the program's own at once.

class CGeneral : public CHelpPropPage {
 public:
  explicit CGeneral(Settings& values);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void EnableMinutes();
  Settings& values;
};

class CStartup : public CHelpPropPage {
 public:
  explicit CStartup(Settings& values);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  Settings& values;
};

class CSetColors : public CHelpPropPage {
 public:
  CSetColors(Settings& values, uint32_t (&customColors)[16]);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend UINT_PTR CALLBACK ColorDialogHook(HWND, UINT, WPARAM, LPARAM);
  friend UINT_PTR CALLBACK FontDialogHook(HWND, UINT, WPARAM, LPARAM);
  void PickColor(UINT button);
  void PickFont(bool listFont);
  HBRUSH SampleBrush(HWND control, HDC dc);

  Settings& values;
  uint32_t (&customColors)[16];
  CBrushOwner noteBrush;
  CBrushOwner listBrush;
  bool noteBrushStale = false;
  bool listBrushStale = false;
  CFontOwner noteSampleFont;
  CFontOwner listSampleFont;
  std::string dialogTitle;  // of the colour or font dialog being opened
};

class CReminderPref : public CHelpPropPage {
 public:
  explicit CReminderPref(Settings& values);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  Settings& values;
  std::time_t picker;
};

class CProxy : public CHelpPropPage {
 public:
  explicit CProxy(Settings& values);

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void EnableServers(bool on);
  Settings& values;
};

constexpr int PREFERENCE_PAGES = 5;

class CPreferences : public CHelpPropSheet {
 public:
  // `current`: the settings now; the sheet edits a copy of them, except for
  // the custom colours.
  CPreferences(HWND parent, Settings& current);

  Settings values;

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CGeneral general;
  CStartup startup;
  CSetColors colors;
  CReminderPref reminders;
  CProxy proxy;
};
