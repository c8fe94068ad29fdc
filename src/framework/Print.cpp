#include "framework/Print.h"

#include <commdlg.h>

#include <cstring>

#include "framework/FrameworkIds.h"
#include "framework/Win32Messages.h"

namespace {

// The print dialog's device-mode and device-names blocks.
struct CGlobalBlocks {
  HGLOBAL devMode = nullptr;
  HGLOBAL devNames = nullptr;
  ~CGlobalBlocks() {
    if (devMode != nullptr) GlobalFree(devMode);
    if (devNames != nullptr) GlobalFree(devNames);
  }
};

}  // namespace

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
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nCopies = 1;
  const BOOL chosen = PrintDlgA(&pd);
  CGlobalBlocks blocks{pd.hDevMode, pd.hDevNames};
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
