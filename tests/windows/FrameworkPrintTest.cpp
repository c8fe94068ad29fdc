// Printing in the framework: the printer font, measuring on a device
// context, and the preview's paging and closing. Needs the "PDF" printer
// that the test display sets up; without it the cases are skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/App.h"
#include "framework/Frame.h"
#include "framework/FrameworkIds.h"
#include "framework/Print.h"
#include "framework/Window.h"
#include "print/win32/DCTextMeasurer.h"
#include "res/resource.h"

namespace {

HDC PdfPrinter() { return CreateDCA("WINSPOOL", "PDF", nullptr, nullptr); }

TEST(FrameworkPrintTest, ThePrinterFontIsTheScreenFontAtThePrintersResolutionAndMeasuresTabs) {
  CCreatedDC printer(PdfPrinter());
  if (!printer.Valid()) GTEST_SKIP() << "no PDF printer";
  LOGFONTA system{};
  ASSERT_NE(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system), 0);
  EXPECT_EQ(CreatePrinterFont(system, printer.Get()), nullptr) << "the printer's own font stands in for it";

  LOGFONTA screen{};
  screen.lfHeight = -13;
  lstrcpynA(screen.lfFaceName, "Liberation Mono", LF_FACESIZE);
  CFontOwner font(CreatePrinterFont(screen, printer.Get()));
  ASSERT_TRUE(font.Valid());
  LOGFONTA made{};
  GetObjectA(font.Get(), sizeof made, &made);
  CWindowDC screenDC(nullptr);
  EXPECT_EQ(made.lfHeight, MulDiv(-13, GetDeviceCaps(printer.Get(), LOGPIXELSY), GetDeviceCaps(screenDC.Get(), LOGPIXELSY)));

  CSelectObject selected(printer.Get(), font.Get());
  CDCTextMeasurer measurer(printer.Get());
  const int x = measurer.TextWidth("X");
  EXPECT_GT(x, 0);
  EXPECT_EQ(measurer.TextWidth(""), 0);
  EXPECT_EQ(measurer.TabbedTextWidth("\tX", 10 * x), 11 * x);
  EXPECT_EQ(measurer.TabbedTextWidth("XX\tX", 10 * x), 11 * x);
  EXPECT_GT(measurer.Metrics().height, 0);
}

std::vector<std::string> calls;

// Three pages, each found by drawing the one before, as the views find them.
class CThreePages : public CPrintable {
 public:
  void OnBeginPrinting(HDC, CPrintInfo& info) override {
    calls.push_back("begin");
    if (info.preview) info.maxPage = 1;
    known = 1;
  }
  void OnPrepareDC(HDC, CPrintInfo& info) override { info.continuePrinting = info.currentPage <= known; }
  void OnPrint(HDC, CPrintInfo& info) override {
    if (info.currentPage == known && known < 3) ++known;
    info.maxPage = std::max(info.maxPage, known);
  }
  void OnEndPrinting(HDC, CPrintInfo&) override { calls.push_back("end"); }
  void OnEndPrintPreview() override { calls.push_back("end preview"); }
  UINT known = 0;
};

class CPlainView : public CEditView {};

class CPreviewFrame : public CFrameWnd {
 public:
  void OnPrintPreview(bool running) override { calls.push_back(running ? "frame on" : "frame off"); }
  CPlainView view;
};

class CPlainApp : public CWinApp {
 public:
  bool InitInstance() override { return true; }
};

std::string PageText(HWND preview) {
  char text[64] = {};
  GetWindowTextA(GetDlgItem(preview, AFX_ID_PREVIEW_PAGE_TEXT), text, sizeof text);
  return text;
}

void Click(HWND preview, UINT id) { SendMessageA(preview, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST(FrameworkPrintTest, ThePreviewGoesOnePageBeyondTheKnownOnesAndClosingTheFrameClosesOnlyIt) {
  {
    CCreatedDC printer(PdfPrinter());
    if (!printer.Valid()) GTEST_SKIP() << "no PDF printer";
  }
  calls.clear();
  CPlainApp app;
  CDocument doc;
  CPreviewFrame frame;
  CFrameWnd::CCreateContext context{&doc, &frame.view};
  ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, &context));
  app.SetMainWnd(&frame);
  CThreePages pages;
  ASSERT_TRUE(frame.StartPrintPreview(frame.view, pages));
  HWND preview = GetDlgItem(frame.GetSafeHwnd(), AFX_IDW_PANE_FIRST);
  ASSERT_NE(preview, frame.view.GetSafeHwnd());
  EXPECT_EQ(PageText(preview), "Page 1");
  for (const char* expected : {"Page 2", "Page 3", "Page 3"}) {
    Click(preview, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(PageText(preview), expected);
  }
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(preview, AFX_ID_PREVIEW_NEXT)));
  Click(preview, AFX_ID_PREVIEW_PREV);
  EXPECT_EQ(PageText(preview), "Page 2");
  Click(preview, AFX_ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(PageText(preview), "Pages 2-3");

  SendMessageA(frame.GetSafeHwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(frame.PrintPreviewRunning());
  ASSERT_NE(frame.GetSafeHwnd(), nullptr) << "the frame stays";
  EXPECT_EQ(GetDlgItem(frame.GetSafeHwnd(), AFX_IDW_PANE_FIRST), frame.view.GetSafeHwnd());
  EXPECT_TRUE(IsWindowVisible(frame.view.GetSafeHwnd()) || !IsWindowVisible(frame.GetSafeHwnd()));
  EXPECT_EQ(calls, (std::vector<std::string>{"frame on", "begin", "end", "end preview", "frame off"}));
  frame.DestroyWindow();
}

SCROLLINFO VerticalScroll(HWND preview) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(preview, SB_VERT, &si);
  return si;
}

// A 500 by 400 frame previewing three pages for the PDF printer.
class ThreePagePreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    {
      CCreatedDC printer(PdfPrinter());
      if (!printer.Valid()) GTEST_SKIP() << "no PDF printer";
    }
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, &context));
    app.SetMainWnd(&frame);
    SetWindowPos(frame.GetSafeHwnd(), nullptr, 0, 0, 500, 400, SWP_NOZORDER);
    ASSERT_TRUE(frame.StartPrintPreview(frame.view, pages));
    preview = GetDlgItem(frame.GetSafeHwnd(), AFX_IDW_PANE_FIRST);
  }
  void TearDown() override {
    if (frame.GetSafeHwnd() != nullptr) frame.DestroyWindow();
  }

  CPlainApp app;
  CDocument doc;
  CPreviewFrame frame;
  CFrameWnd::CCreateContext context{&doc, &frame.view};
  CThreePages pages;
  HWND preview = nullptr;
};

TEST_F(ThreePagePreviewTest, AZoomedPageScrollsToItsFootAndAFittedOneDoesNot) {
  EXPECT_EQ(VerticalScroll(preview).nPage, 0u) << "a fitted page needs no scrolling";

  Click(preview, AFX_ID_PREVIEW_ZOOMIN);
  const SCROLLINFO zoomed = VerticalScroll(preview);
  ASSERT_GT(zoomed.nPage, 0u);
  EXPECT_GT(zoomed.nMax, static_cast<int>(zoomed.nPage));
  SendMessageA(preview, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(VerticalScroll(preview).nPos, 0);
  SendMessageA(preview, WM_VSCROLL, SB_BOTTOM, 0);
  const SCROLLINFO foot = VerticalScroll(preview);
  EXPECT_EQ(foot.nPos + static_cast<int>(foot.nPage), foot.nMax + 1) << "the page's foot can be reached";
  Click(preview, AFX_ID_PREVIEW_NEXT);
  EXPECT_EQ(VerticalScroll(preview).nPos, 0) << "another page starts at its top";

  Click(preview, AFX_ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(VerticalScroll(preview).nPage, 0u);
}

bool AltKey(HWND preview, char letter) {
  MSG msg{preview, WM_SYSCHAR, static_cast<WPARAM>(letter), 0, 0, {}};
  return framework::PreTranslateChain(msg);
}

TEST_F(ThreePagePreviewTest, TheBarsUnderlinedLettersPressItsButtonsAndAGreyedOneLeavesTheLetterToTheMenu) {
  EXPECT_FALSE(AltKey(preview, 'v')) << "Prev Page is greyed on page 1";
  EXPECT_TRUE(AltKey(preview, 'N'));
  EXPECT_EQ(PageText(preview), "Page 2");
  EXPECT_TRUE(AltKey(preview, 'v'));
  EXPECT_EQ(PageText(preview), "Page 1");
  EXPECT_FALSE(AltKey(preview, 'q')) << "no button has it";
  EXPECT_TRUE(AltKey(preview, 'c'));
  EXPECT_FALSE(frame.PrintPreviewRunning());
}

}  // namespace
