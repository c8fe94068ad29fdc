// Start-up, shut-down, the version information and the About box.
#include "app/win32/QuilleryApp.h"

#include <shellapi.h>

#include <clocale>
#include <ctime>
#include <vector>

#include "framework/Win32Messages.h"
#include "document/NoteEdits.h"
#include "res/WindowMessages.h"
#include "reminders/ReminderScan.h"
#include "res/resource.h"
#include "settings/SettingsIO.h"
#include "settings/win32/Win32SettingsEnvironment.h"

namespace {

constexpr DWORD SPLASH_MINIMUM_MS = 3000;

int32_t Now() { return static_cast<int32_t>(std::time(nullptr)); }

}  // namespace

const CCmdTarget::CommandEntry<CQuilleryApp> CQuilleryApp::COMMANDS[] = {
    {ID_APP_ABOUT, &CQuilleryApp::OnAppAbout, nullptr},
};

CQuilleryApp::CQuilleryApp(std::string parameters)
    : commandLine(std::move(parameters)),
      registry(PROGRAM_KEY),
      notesFile{{store, settings, files, Now, [this](uint32_t groups) { SaveSettingsGroups(groups); }},
                Messages()} {}

bool CQuilleryApp::InitInstance() {
  const bool onlyCopy = singleCopy.Claim();
  start.startupInProgress = true;
  // Dates and times are written the way the program's language writes them.
  std::setlocale(LC_ALL, LoadResourceString(IDS_LOCALE).c_str());
  exitDone = false;
  ReadVersionInformation();

  if (!store.Allocate()) {
    ShowMessage(Messages(), IDS_OUT_OF_MEMORY, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
  }
  const std::string programPath = ProgramPath();
  settings.appDir = FolderOfPath(programPath);
  SetCurrentDirectoryA(settings.appDir.c_str());
  store.dirty = false;
  runCommand = RunCommandFor(programPath);

  ParseCommandLine(commandLine, start.commandLine);
  // A copy that finds another one running, or that was started only to stop
  // it, leaves the notes and the settings to that copy and ends with code 1.
  switch (DecideOtherCopy(!onlyCopy, start)) {
    case OtherCopyAction::None: break;
    case OtherCopyAction::Activate:
      if (singleCopy.ActivateOther()) start.exitAtStart = false;
      break;
    case OtherCopyAction::Quit: singleCopy.StopOtherAndWait(); break;
  }
  if (start.exitAtStart) return false;

  LoadSettings(settings, registry,
               CurrentSettingsDefaults(LoadResourceString(IDS_NOTE_FONT_FACES), LoadResourceString(IDS_LIST_FONT_FACES)));
  settingsLoaded = true;
  // The document sets the note view as the shown one; the list follows once
  // the window is up.
  const bool startInList = settings.noteMode == 0;

  if (!OpenNotesFile(notesFile)) return false;
  if (notesFile.backupPending) static_cast<void>(BackupNotesFile(notesFile));
  SaveSettingsGroups(SETTINGS_FILES);

  noteView = std::make_unique<CQuilleryView>(settings);
  document = std::make_unique<CQuilleryDoc>(store, settings, *noteView, Messages());
  mainFrame = std::make_unique<CMainFrame>(notesFile, start.startupInProgress, *document);
  if (!mainFrame->LoadMainFrame(*noteView)) return false;

  DropStaleUpgrade(settings, product);
  // A downloaded upgrade still newer than this program: installing it now
  // ends the start before the window shows.
  mainFrame->Upgrades().SetRunningVersion(product.versionMS, product.versionLS);
  if ((settings.flags & FLAG_UPGRADE_PENDING) && mainFrame->Upgrades().OfferUpgradeInstall()) return true;
  ShowSplashFor3Seconds();
  ShowMainWindow();
  store.lastSaveTime = Now();
  SaveSettingsGroups(SETTINGS_RUN_KEY);
  start.startupInProgress = false;
  if (startInList) PostMessageA(mainFrame->GetSafeHwnd(), WM_APP_SHOW_LIST, 0, 0);
  return true;
}

void CQuilleryApp::ShowSplashFor3Seconds() {
  std::unique_ptr<CSplashDlg> splash;
  DWORD shownAt = 0;
  if (start.commandLine.showMainWindow) {
    splash = std::make_unique<CSplashDlg>();
    if (splash->Create()) {
      ShowWindow(splash->GetSafeHwnd(), SW_SHOW);
      UpdateWindow(splash->GetSafeHwnd());
      shownAt = GetTickCount();
    } else {
      splash.reset();
    }
  }
  // The notes of the last run may still say that a reminder was being
  // edited or was waiting to be shown.
  ResetReminderRunState(store);
  if (splash == nullptr) return;
  const DWORD elapsed = GetTickCount() - shownAt;
  if (elapsed < SPLASH_MINIMUM_MS) Sleep(SPLASH_MINIMUM_MS - elapsed);
  splash->DestroyWindow();
}

void CQuilleryApp::ShowMainWindow() {
  HWND window = mainFrame->GetSafeHwnd();
  // Wine stamps the X focus request of a window it activates with the time
  // of the thread's last message. After the setup wizard that is the key or
  // click that closed it, older than the focus change its closing caused, so
  // the X server would ignore the request and keys would go nowhere. A fresh
  // message brings the time forward; on Windows this changes nothing.
  MSG stamp{};
  if (PostThreadMessageA(GetCurrentThreadId(), WM_APP_STAMP_TIME, 0, 0)) {
    PeekMessageA(&stamp, reinterpret_cast<HWND>(-1), WM_APP_STAMP_TIME, WM_APP_STAMP_TIME, PM_REMOVE);
  }
  // Hidden only with an icon to come back by: a refused icon leaves the
  // window minimised, as without the tray.
  switch (InitialWindowState(start.commandLine.showMainWindow, mainFrame->TrayIconShown() ? 1u : 0u)) {
    case StartWindowState::Shown: ShowWindow(window, SW_SHOW); break;
    case StartWindowState::Hidden: ShowWindow(window, SW_HIDE); break;
    case StartWindowState::Minimised: ShowWindow(window, SW_MINIMIZE); break;
  }
  SetMainWnd(mainFrame.get());
  UpdateWindow(window);
}

int CQuilleryApp::ExitInstance() {
  // A quit that had to end dialogs first closes the window now that they
  // have returned; a note the user keeps keeps the program running.
  if (mainFrame != nullptr && mainFrame->QuitPending() && !mainFrame->FinishQuit()) return Run();
  if (!exitDone) {
    exitDone = true;
    if (settingsLoaded) FinalSave(notesFile);
    if (start.commandLine.removeRequested) RunUninstaller();
  }
  return start.exitAtStart ? 1 : CWinApp::ExitInstance();
}

void CQuilleryApp::RunUninstaller() {
  std::vector<char> shortDir(MAX_PATH);
  DWORD length = GetShortPathNameA(settings.appDir.c_str(), shortDir.data(), static_cast<DWORD>(shortDir.size()));
  if (length >= shortDir.size()) {
    shortDir.resize(length + 1);
    length = GetShortPathNameA(settings.appDir.c_str(), shortDir.data(), static_cast<DWORD>(shortDir.size()));
  }
  std::string folder = length > 0 && length < shortDir.size() ? std::string(shortDir.data(), length) : settings.appDir;
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  const UninstallCommand command = UninstallerIn(folder);
  // A missing uninstaller is not reported: the installation is not ours.
  ShellExecuteA(nullptr, "open", command.program.c_str(), command.parameters.c_str(), folder.c_str(), SW_SHOWNORMAL);
}

void CQuilleryApp::SaveSettingsGroups(uint32_t groups) { SaveSettings(settings, registry, groups, runCommand); }

void CQuilleryApp::ReadVersionInformation() {
  const std::string path = ProgramPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) && fixed != nullptr &&
      fixedSize >= sizeof(VS_FIXEDFILEINFO)) {
    product.versionMS = fixed->dwProductVersionMS;
    product.versionLS = fixed->dwProductVersionLS;
  }
  const std::string block = LoadResourceString(IDS_VERSION_STRING_BLOCK);
  auto read = [&](const char* name, std::string& value) {
    char* text = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), (block + name).c_str(), reinterpret_cast<void**>(&text), &length) &&
        text != nullptr && length > 0) {
      value = text;
    }
  };
  read("ProductName", product.name);
  read("ProductVersion", product.versionText);
  read("LegalCopyright", product.legalNotice);
}

bool CQuilleryApp::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id) || CWinApp::OnCommand(id); }

bool CQuilleryApp::OnUpdateCommand(CCmdUI& ui) {
  return UpdateFromTable(this, COMMANDS, ui) || CWinApp::OnUpdateCommand(ui);
}

void CQuilleryApp::OnAppAbout() {
  CAboutDlg about(product);
  about.DoModal();
}

CAboutDlg::CAboutDlg(const ProductInfo& info) : CHelpDialog(IDD_ABOUTBOX), product(info) {}

bool CAboutDlg::OnInitDialog() {
  SetDlgItemTextA(hwnd, IDC_ABOUT_PRODUCT, product.name.c_str());
  SetDlgItemTextA(hwnd, IDC_ABOUT_VERSION, product.versionText.c_str());
  SetDlgItemTextA(hwnd, IDC_ABOUT_COPYRIGHT, product.legalNotice.c_str());
  return CHelpDialog::OnInitDialog();
}

CSplashDlg::CSplashDlg() : CDialog(IDD_SPLASH) {}

LRESULT CSplashDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint();
    return TRUE;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

namespace {

// Bitmap 138 as stored: its header, colour table and bits.
struct PackedBitmap {
  const BITMAPINFO* info = nullptr;
  const BYTE* bits = nullptr;
  int colours = 0;
  int Width() const { return info->bmiHeader.biWidth; }
  int Height() const { return info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight; }
};

bool FindPackedBitmap(UINT id, PackedBitmap& bitmap) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const auto* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (data == nullptr || SizeofResource(instance, found) < sizeof(BITMAPINFOHEADER)) return false;
  bitmap.info = reinterpret_cast<const BITMAPINFO*>(data);
  const BITMAPINFOHEADER& header = bitmap.info->bmiHeader;
  if (header.biBitCount <= 8) {
    bitmap.colours = header.biClrUsed != 0 ? static_cast<int>(header.biClrUsed) : 1 << header.biBitCount;
  }
  bitmap.bits = data + header.biSize + bitmap.colours * sizeof(RGBQUAD);
  return true;
}

CGdiObject<HPALETTE> PaletteOf(const PackedBitmap& bitmap) {
  if (bitmap.colours == 0) return CGdiObject<HPALETTE>();
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + bitmap.colours * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(bitmap.colours);
  for (int i = 0; i < bitmap.colours; ++i) {
    const RGBQUAD& c = bitmap.info->bmiColors[i];
    palette->palPalEntry[i] = {c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
  }
  return CGdiObject<HPALETTE>(CreatePalette(palette));
}

}  // namespace

bool CSplashDlg::OnInitDialog() {
  // The picture replaces the text and gives the box its size, before the
  // box is first painted: start-up handles no messages while it shows.
  PackedBitmap packed;
  if (!FindPackedBitmap(IDB_SPLASH, packed)) return CDialog::OnInitDialog();
  ShowWindow(GetDlgItem(hwnd, IDC_SPLASH_TEXT), SW_HIDE);
  RECT outer{0, 0, packed.Width(), packed.Height()};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_EXSTYLE)));
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int w = outer.right - outer.left;
  const int h = outer.bottom - outer.top;
  SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  return CDialog::OnInitDialog();
}

void CSplashDlg::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(hwnd, &client);
  RECT inner = client;
  InflateRect(&inner, -4, -4);
  FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PackedBitmap packed;
  if (FindPackedBitmap(IDB_SPLASH, packed)) {
    CGdiObject<HPALETTE> palette = PaletteOf(packed);
    HPALETTE previous = palette.Valid() ? SelectPalette(dc, palette.Get(), FALSE) : nullptr;
    if (palette.Valid()) RealizePalette(dc);
    const int width = packed.Width();
    const int height = packed.Height();
    SetDIBitsToDevice(dc, (client.right - width) / 2, (client.bottom - height) / 2, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), packed.bits, packed.info,
                      DIB_RGB_COLORS);
    if (previous != nullptr) SelectPalette(dc, previous, FALSE);
  }
  EndPaint(hwnd, &ps);
}
