// The Preferences sheet and its pages.
#include "preferences/win32/PreferencePages.h"

#include "framework/Print.h"

#include <commdlg.h>

#include <cstring>

#include "base/Messages.h"
#include "framework/App.h"
#include "framework/Win32Messages.h"
#include "preferences/PreferenceRules.h"
#include "preferences/win32/IntervalControls.h"
#include "res/resource.h"

namespace {

bool Clicked(WPARAM wParam, int id) { return LOWORD(wParam) == id && HIWORD(wParam) == BN_CLICKED; }

LOGFONTA ToLogFont(const LogFont& font) {
  LOGFONTA result;
  static_assert(sizeof(result) == sizeof(font), "the setting is a LOGFONTA image");
  std::memcpy(&result, &font, sizeof(result));
  return result;
}

LogFont FromLogFont(const LOGFONTA& font) {
  LogFont result;
  std::memcpy(&result, &font, sizeof(result));
  return result;
}

// The printer's device context, so that the font dialog can offer printer
// fonts too; nothing when there is no printer.
class CChosenPrinter {
 public:
  CChosenPrinter() : dc(CreatePrinterDC(nullptr)) {}
  ~CChosenPrinter() {
    if (dc != nullptr) DeleteDC(dc);
  }
  CChosenPrinter(const CChosenPrinter&) = delete;
  CChosenPrinter& operator=(const CChosenPrinter&) = delete;
  HDC Get() const { return dc; }

 private:
  HDC dc;
};

}  // namespace

// ---------------------------------------------------------------------------

CGeneral::CGeneral(Settings& v) : CHelpPropPage(IDD_PREFS_GENERAL), values(v) {}

bool CGeneral::OnInitDialog() {
  const bool result = CHelpPropPage::OnInitDialog();
  EnableMinutes();
  return result;
}

void CGeneral::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_VERIFY_DELETE, values.verifyDelete);
  DDX_Check(dx, IDC_AUTOSAVE, values.autoSave);
  int minutes = static_cast<int>(values.autoSaveTime);
  DDX_Text(dx, IDC_AUTOSAVE_MINUTES, minutes);
  DDV_MinMaxInt(dx, minutes, 1, 999);
  if (dx.saving && !dx.failed) values.autoSaveTime = static_cast<uint32_t>(minutes);
  DDX_Check(dx, IDC_USE_BACKUPS, values.useBackups);
}

bool CGeneral::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (Clicked(wParam, IDC_AUTOSAVE)) {
    UpdateData(true);
    EnableMinutes();
    return true;
  }
  return CHelpPropPage::OnCommand(wParam, lParam);
}

void CGeneral::EnableMinutes() { EnableWindow(GetDlgItem(hwnd, IDC_AUTOSAVE_MINUTES), values.autoSave != 0); }

// ---------------------------------------------------------------------------

CStartup::CStartup(Settings& v) : CHelpPropPage(IDD_PREFS_STARTUP), values(v) {}

void CStartup::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_START_WITH_WINDOWS, values.startWithWindows);
  DDX_Check(dx, IDC_RUN_IN_TRAY, values.runInTray);
  DDX_Check(dx, IDC_CLOSE_TO_TRAY, values.closeToTray);
}

bool CStartup::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (Clicked(wParam, IDC_RUN_IN_TRAY)) {
    // Closing to the tray needs the icon to come back by.
    UpdateData(true);
    EnableWindow(GetDlgItem(hwnd, IDC_CLOSE_TO_TRAY), values.runInTray != 0);
    return true;
  }
  return CHelpPropPage::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------

UINT_PTR CALLBACK ColorDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    SetWindowTextA(dialog, reinterpret_cast<const CSetColors*>(choose->lCustData)->dialogTitle.c_str());
  }
  return 0;
}

UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* choose = reinterpret_cast<const CHOOSEFONTA*>(lParam);
    SetWindowTextA(dialog, reinterpret_cast<const CSetColors*>(choose->lCustData)->dialogTitle.c_str());
  }
  return 0;
}

CSetColors::CSetColors(Settings& v, uint32_t (&custom)[16])
    : CHelpPropPage(IDD_PREFS_APPEARANCE),
      values(v),
      customColors(custom),
      noteBrush(CreateSolidBrush(static_cast<COLORREF>(v.backgroundColor))),
      listBrush(CreateSolidBrush(static_cast<COLORREF>(v.listBackgroundColor))) {}

bool CSetColors::OnInitDialog() {
  const bool result = CHelpPropPage::OnInitDialog();
  const LOGFONTA note = ToLogFont(values.noteFont);
  const LOGFONTA list = ToLogFont(values.listFont);
  noteSampleFont.Reset(CreateFontIndirectA(&note));
  listSampleFont.Reset(CreateFontIndirectA(&list));
  SendDlgItemMessageA(hwnd, IDC_NOTE_SAMPLE, WM_SETFONT, reinterpret_cast<WPARAM>(noteSampleFont.Get()), TRUE);
  SendDlgItemMessageA(hwnd, IDC_LIST_SAMPLE, WM_SETFONT, reinterpret_cast<WPARAM>(listSampleFont.Get()), TRUE);
  return result;
}

void CSetColors::DoDataExchange(CDataExchange& dx) {
  int tabs = static_cast<int>(values.tabs);
  DDX_Text(dx, IDC_TABS, tabs);
  DDV_MinMaxInt(dx, tabs, 2, 64);
  if (dx.saving && !dx.failed) values.tabs = static_cast<uint32_t>(tabs);
  DDX_Check(dx, IDC_ON_TOP, values.onTop);
}

bool CSetColors::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDC_NOTE_TEXT_COLOR:
      case IDC_NOTE_BACK_COLOR:
      case IDC_LIST_TEXT_COLOR:
      case IDC_LIST_BACK_COLOR:
        PickColor(LOWORD(wParam));
        return true;
      case IDC_NOTE_FONT: PickFont(false); return true;
      case IDC_LIST_FONT: PickFont(true); return true;
      default: break;
    }
  }
  return CHelpPropPage::OnCommand(wParam, lParam);
}

void CSetColors::PickColor(UINT button) {
  struct Target {
    uint32_t* color;
    UINT title;
    bool* staleBrush;
    int sample;
  };
  const Target target = button == IDC_NOTE_TEXT_COLOR   ? Target{&values.foregroundColor, IDS_NOTE_TEXT_COLOR_TITLE, nullptr, IDC_NOTE_SAMPLE}
                        : button == IDC_NOTE_BACK_COLOR ? Target{&values.backgroundColor, IDS_NOTE_BACK_COLOR_TITLE, &noteBrushStale, IDC_NOTE_SAMPLE}
                        : button == IDC_LIST_TEXT_COLOR ? Target{&values.listForegroundColor, IDS_LIST_TEXT_COLOR_TITLE, nullptr, IDC_LIST_SAMPLE}
                                                        : Target{&values.listBackgroundColor, IDS_LIST_BACK_COLOR_TITLE, &listBrushStale, IDC_LIST_SAMPLE};
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = static_cast<COLORREF>(customColors[i]);
  CHOOSECOLORA choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = hwnd;
  choose.rgbResult = static_cast<COLORREF>(*target.color);
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT | CC_ENABLEHOOK;
  // Dithered colours look wrong on a palette screen.
  HDC screen = GetDC(nullptr);
  if (screen == nullptr || GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 8)
    choose.Flags |= CC_SOLIDCOLOR;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  choose.lpfnHook = ColorDialogHook;
  dialogTitle = LoadResourceString(target.title);
  choose.lCustData = reinterpret_cast<LPARAM>(this);
  const bool chosen = ChooseColorA(&choose) != FALSE;
  // The custom colours are kept however the dialog ends.
  for (int i = 0; i < 16; ++i) customColors[i] = static_cast<uint32_t>(custom[i]);
  if (chosen) {
    *target.color = static_cast<uint32_t>(choose.rgbResult);
    if (target.staleBrush != nullptr) *target.staleBrush = true;
  }
  InvalidateRect(GetDlgItem(hwnd, target.sample), nullptr, TRUE);
}

void CSetColors::PickFont(bool list) {
  LogFont& member = list ? values.listFont : values.noteFont;
  const LogFont kept = member;
  LOGFONTA logFont = ToLogFont(member);
  CChosenPrinter printer;
  CHOOSEFONTA choose{};
  choose.lStructSize = sizeof(choose);
  choose.hwndOwner = hwnd;
  choose.hDC = printer.Get();
  choose.lpLogFont = &logFont;
  choose.Flags = CF_SCREENFONTS | CF_ENABLEHOOK | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST | CF_SCALABLEONLY;
  if (printer.Get() != nullptr) choose.Flags |= CF_PRINTERFONTS;
  if (list) {
    // The list's rows keep their height: only face and style change.
    choose.Flags |= CF_LIMITSIZE;
    choose.nSizeMin = 8;
    choose.nSizeMax = 8;
  }
  choose.lpfnHook = FontDialogHook;
  dialogTitle = LoadResourceString(list ? IDS_LIST_FONT_TITLE : IDS_NOTE_FONT_TITLE);
  choose.lCustData = reinterpret_cast<LPARAM>(this);
  if (!ChooseFontA(&choose)) return;
  member = FromLogFont(logFont);
  CFontOwner& sampleFont = list ? listSampleFont : noteSampleFont;
  const int sample = list ? IDC_LIST_SAMPLE : IDC_NOTE_SAMPLE;
  CFontOwner made(CreateFontIndirectA(&logFont));
  if (!made.Valid()) {
    CWin32Messages fallback;
    CWinApp* app = CWinApp::Get();
    ShowMessage(app != nullptr ? app->Messages() : fallback, IDS_FONT_FAILED, MessageButtons::Ok,
                MessageIcon::Exclamation);
    member = kept;
    const LOGFONTA previous = ToLogFont(kept);
    made.Reset(CreateFontIndirectA(&previous));
  }
  SendDlgItemMessageA(hwnd, sample, WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), TRUE);
  sampleFont = std::move(made);
}

HBRUSH CSetColors::SampleBrush(HWND control, HDC dc) {
  const int id = GetDlgCtrlID(control);
  if (id != IDC_NOTE_SAMPLE && id != IDC_LIST_SAMPLE) return nullptr;
  const bool note = id == IDC_NOTE_SAMPLE;
  const COLORREF text = static_cast<COLORREF>(note ? values.foregroundColor : values.listForegroundColor);
  const COLORREF back = static_cast<COLORREF>(note ? values.backgroundColor : values.listBackgroundColor);
  CBrushOwner& brush = note ? noteBrush : listBrush;
  bool& stale = note ? noteBrushStale : listBrushStale;
  if (stale || !brush.Valid()) {
    brush.Reset(CreateSolidBrush(back));
    stale = false;
  }
  SetTextColor(dc, text);
  SetBkColor(dc, back);
  return brush.Get();
}

LRESULT CSetColors::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    if (HBRUSH brush = SampleBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
      return reinterpret_cast<LRESULT>(brush);
  }
  return CHelpPropPage::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------

CReminderPref::CReminderPref(Settings& v)
    : CHelpPropPage(IDD_PREFS_REMINDERS), values(v), picker(FixedTimePicker(v.fixedTime)) {}

bool CReminderPref::OnInitDialog() {
  FillIntervalList(GetDlgItem(hwnd, IDC_SNOOZE_INTERVAL), values.snoozeTime);
  FillIntervalList(GetDlgItem(hwnd, IDC_REMIND_INTERVAL), values.remindTime);
  const bool result = CHelpPropPage::OnInitDialog();
  // The selected entry decides, not the stored value it stands for.
  UpdateFixedTimeControls(hwnd, PickedInterval(GetDlgItem(hwnd, IDC_REMIND_INTERVAL)), values.useFixedTime);
  return result;
}

void CReminderPref::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_USE_FIXED_TIME, values.useFixedTime);
  DDX_DateTimeCtrl(dx, IDC_FIXED_TIME, picker);
  if (dx.saving && !dx.failed) values.fixedTime = FixedTimeFromPicker(picker, values.fixedTime);
  DDX_Check(dx, IDC_REMIND_SOUND, values.useRemindSound);
}

bool CReminderPref::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (HIWORD(wParam) == CBN_SELCHANGE && id == IDC_REMIND_INTERVAL) {
    values.remindTime = PickedInterval(GetDlgItem(hwnd, id));
    UpdateFixedTimeControls(hwnd, values.remindTime, values.useFixedTime);
    return true;
  }
  if (HIWORD(wParam) == CBN_SELCHANGE && id == IDC_SNOOZE_INTERVAL) {
    values.snoozeTime = PickedInterval(GetDlgItem(hwnd, id));
    return true;
  }
  if (Clicked(wParam, IDC_USE_FIXED_TIME)) {
    UpdateData(true);
    UpdateFixedTimeControls(hwnd, PickedInterval(GetDlgItem(hwnd, IDC_REMIND_INTERVAL)), values.useFixedTime);
    return true;
  }
  return CHelpPropPage::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------

CProxy::CProxy(Settings& v) : CHelpPropPage(IDD_PREFS_PROXY), values(v) {}

bool CProxy::OnInitDialog() {
  const bool result = CHelpPropPage::OnInitDialog();
  EnableServers(values.proxyOption == 2);
  return result;
}

void CProxy::DoDataExchange(CDataExchange& dx) {
  DDX_Radio(dx, IDC_PROXY_NONE, values.proxyOption);
  const struct {
    int id;
    std::string* text;
    int limit;
  } boxes[] = {{IDC_HTTP_PROXY, &values.httpProxy, 250}, {IDC_HTTP_PORT, &values.httpPort, 5},
               {IDC_FTP_PROXY, &values.ftpProxy, 250},   {IDC_FTP_PORT, &values.ftpPort, 5},
               {IDC_SOCKS_PROXY, &values.socksProxy, 250}, {IDC_SOCKS_PORT, &values.socksPort, 5}};
  for (const auto& box : boxes) {
    DDX_Text(dx, box.id, *box.text);
    DDV_MaxChars(dx, box.limit);
  }
  if (!dx.saving || dx.failed) return;
  ProxyTexts texts{values.httpProxy, values.httpPort, values.ftpProxy, values.ftpPort, values.socksProxy, values.socksPort};
  const ProxyCheck check = CheckProxyTexts(values.proxyOption, texts);
  values.httpProxy = texts.httpProxy;
  values.httpPort = texts.httpPort;
  values.ftpProxy = texts.ftpProxy;
  values.ftpPort = texts.ftpPort;
  values.socksProxy = texts.socksProxy;
  values.socksPort = texts.socksPort;
  if (check.messageId == 0) return;
  const int field = check.field == ProxyField::HttpProxy ? IDC_HTTP_PROXY
                    : check.field == ProxyField::HttpPort ? IDC_HTTP_PORT
                    : check.field == ProxyField::FtpPort  ? IDC_FTP_PORT
                                                          : IDC_SOCKS_PORT;
  dx.PrepareEditControl(field);
  dx.Fail(check.messageId);
}

bool CProxy::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (Clicked(wParam, IDC_PROXY_NONE) || Clicked(wParam, IDC_PROXY_SYSTEM)) {
    EnableServers(false);
    return true;
  }
  if (Clicked(wParam, IDC_PROXY_LISTED)) {
    EnableServers(true);
    return true;
  }
  return CHelpPropPage::OnCommand(wParam, lParam);
}

void CProxy::EnableServers(bool on) {
  for (int id = IDC_HTTP_PROXY; id <= IDC_SOCKS_PORT; ++id) EnableWindow(GetDlgItem(hwnd, id), on);
}

// ---------------------------------------------------------------------------

CPreferences::CPreferences(HWND parent, Settings& current)
    : CHelpPropSheet(LoadResourceString(IDS_PREFERENCES_CAPTION), parent, 0),
      values(current),
      general(values),
      startup(values),
      colors(values, current.customColor),
      reminders(values),
      proxy(values) {
  sheetFlags |= PSH_NOAPPLYNOW;
  AddPage(general);
  AddPage(startup);
  AddPage(colors);
  AddPage(reminders);
  AddPage(proxy);
}

bool CPreferences::OnInitDialog() {
  const bool result = CHelpPropSheet::OnInitDialog();
  SetActivePage(PreferencesStartPage(values.currentPrefsTab, PREFERENCE_PAGES));
  return result;
}

LRESULT CPreferences::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The page shown at OK is the one to open on next time; Cancel keeps the
  // old one.
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) values.currentPrefsTab = static_cast<uint32_t>(GetActiveIndex());
  return CHelpPropSheet::WindowProc(message, wParam, lParam);
}
