#pragma once
#include <windows.h>

#include <string>

#include "framework/Handles.h"

// Printing: the print dialog, the page loop and the hooks a printable view
// overrides, and a printer font made from a screen font.

// One printout (or preview) from the print dialog to the last page.
struct CPrintInfo {
  HDC dc = nullptr;  // the printer's, owned by the page loop
  UINT fromPage = 1;
  UINT toPage = 0xFFFF;
  UINT currentPage = 1;
  // The highest page known; 0xFFFF until a view knows better.
  UINT maxPage = 0xFFFF;
  // A view ends the printout by clearing it in OnPrepareDC.
  bool continuePrinting = true;
  bool preview = false;
  // The page's printable area in device units.
  RECT drawRect{};
};

class CPrintable {
 public:
  virtual ~CPrintable() = default;
  // The print dialog; false cancels.
  virtual bool OnPreparePrinting(CPrintInfo& info, HWND owner);
  virtual void OnBeginPrinting(HDC /*dc*/, CPrintInfo& /*info*/) {}
  // Before each page: a view with an open page count ends the printout here.
  virtual void OnPrepareDC(HDC dc, CPrintInfo& info);
  virtual void OnPrint(HDC dc, CPrintInfo& info) = 0;
  virtual void OnEndPrinting(HDC /*dc*/, CPrintInfo& /*info*/) {}
  virtual void OnEndPrintPreview() {}
};

// The Print Setup dialog. The printer and settings chosen there, or in a
// print dialog, serve every later printout, preview and printer font of
// this run.
void PrintSetup(HWND owner);

// A device context of the chosen printer (the default one until a choice
// is made); null when there is no printer. The caller deletes it.
HDC CreatePrinterDC(HWND owner);

// The print dialog with page numbers and selection off; fills info.dc.
// False when the user cancels or no printer answers.
[[nodiscard]] bool DoPreparePrinting(CPrintInfo& info, HWND owner);

// The Print command: dialog, then every page of `view` as one document.
// False when cancelled or the printer failed (the user has been told).
bool PrintView(CPrintable& view, HWND owner, const std::string& docName);

// "Command failed." (61705) over `owner`.
void ShowCommandFailed(HWND owner);

// The screen font `screen` scaled to the printer's resolution; none for the
// system font, which the printer replaces with its own.
HFONT CreatePrinterFont(const LOGFONTA& screen, HDC printer);
