#include "framework/Print.h"

#include <commdlg.h>

#include <cstring>

#include "framework/FrameworkIds.h"
#include "framework/Win32Messages.h"

namespace {

// The chosen printer's device-mode and device-names blocks, for the run.
struct CPrinterChoice {
  HGLOBAL devMode = nullptr;
  HGLOBAL devNames = nullptr;
  ~CPrinterChoice() {
    if (devMode != nullptr) GlobalFree(devMode);
    if (devNames != nullptr) GlobalFree(devNames);
  }
  // The dialog may have freed the blocks it was given and made new ones.
  void Keep(const PRINTDLGA& pd) {
    devMode = pd.hDevMode;
    devNames = pd.hDevNames;
  }
};
CPrinterChoice chosenPrinter;

PRINTDLGA PrintDialog(HWND owner, DWORD flags) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.hDevMode = chosenPrinter.devMode;
  pd.hDevNames = chosenPrinter.devNames;
  pd.Flags = flags;
  pd.nCopies = 1;
  return pd;
}

}  // namespace

void PrintSetup(HWND owner) {
  PRINTDLGA pd = PrintDialog(owner, PD_PRINTSETUP);
  PrintDlgA(&pd);
  chosenPrinter.Keep(pd);
}

HDC CreatePrinterDC(HWND owner) {
  if (chosenPrinter.devNames == nullptr) {
    PRINTDLGA pd = PrintDialog(owner, PD_RETURNDEFAULT | PD_RETURNDC);
    if (!PrintDlgA(&pd)) return nullptr;
    chosenPrinter.Keep(pd);
    return pd.hDC;
  }
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(chosenPrinter.devNames));
  if (names == nullptr) return nullptr;
  const auto* mode =
      chosenPrinter.devMode != nullptr ? static_cast<const DEVMODEA*>(GlobalLock(chosenPrinter.devMode)) : nullptr;
  const char* base = reinterpret_cast<const char*>(names);
  HDC dc = CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
  if (mode != nullptr) GlobalUnlock(chosenPrinter.devMode);
  GlobalUnlock(chosenPrinter.devNames);
  return dc;
}

void ShowCommandFailed(HWND owner) {
  CWin32Messages messages;
  messages.owner = owner;
  messages.Show(messages.LoadText(AFX_IDP_COMMAND_FAILURE), MessageButtons::Ok, MessageIcon::Exclamation);
}

bool CPrintable::OnPreparePrinting(CPrintInfo& info, HWND owner) { return DoPreparePrinting(info, owner); }

void CPrintable::OnPrepareDC(HDC, CPrintInfo& info) {
  // Without a known page count only the first page is certain.
  info.continuePrinting = info.maxPage != 0xFFFF ? info.currentPage <= info.maxPage : info.currentPage == 1;
}

bool DoPreparePrinting(CPrintInfo& info, HWND owner) {
  PRINTDLGA pd = PrintDialog(owner, PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE);
  const BOOL chosen = PrintDlgA(&pd);
  chosenPrinter.Keep(pd);
  if (!chosen || pd.hDC == nullptr) return false;
  info.dc = pd.hDC;
  return true;
}

bool PrintView(CPrintable& view, HWND owner, const std::string& docName) {
  CPrintInfo info;
  if (!view.OnPreparePrinting(info, owner) || info.dc == nullptr) return false;
  CCreatedDC printer(info.dc);
  HDC dc = printer.Get();

  view.OnBeginPrinting(dc, info);
  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = docName.c_str();
  bool ok = StartDocA(dc, &doc) > 0;
  if (ok) {
    for (info.currentPage = info.fromPage; info.currentPage <= info.toPage; ++info.currentPage) {
      info.continuePrinting = true;
      view.OnPrepareDC(dc, info);
      if (!info.continuePrinting) break;
      info.drawRect = {0, 0, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)};
      if (StartPage(dc) <= 0) {
        ok = false;
        break;
      }
      view.OnPrint(dc, info);
      if (EndPage(dc) <= 0) {
        ok = false;
        break;
      }
    }
    if (ok)
      EndDoc(dc);
    else
      AbortDoc(dc);
  }
  view.OnEndPrinting(dc, info);
  if (!ok) ShowCommandFailed(owner);
  return ok;
}

HFONT CreatePrinterFont(const LOGFONTA& screen, HDC printer) {
  char systemFace[LF_FACESIZE] = {};
  LOGFONTA system{};
  if (GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system) != 0)
    std::memcpy(systemFace, system.lfFaceName, sizeof systemFace);
  if (lstrcmpiA(screen.lfFaceName, systemFace) == 0) return nullptr;
  CWindowDC screenDC(nullptr);
  LOGFONTA scaled = screen;
  scaled.lfHeight = MulDiv(screen.lfHeight, GetDeviceCaps(printer, LOGPIXELSY),
                           GetDeviceCaps(screenDC.Get(), LOGPIXELSY));
  scaled.lfWidth = MulDiv(screen.lfWidth, GetDeviceCaps(printer, LOGPIXELSX),
                          GetDeviceCaps(screenDC.Get(), LOGPIXELSX));
  return CreateFontIndirectA(&scaled);
}
