#include "update/win32/UpgradeCommands.h"

#include <shellapi.h>

#include <memory>

#include "app/VersionText.h"
#include "frame/win32/MainFrame.h"
#include "framework/Win32Messages.h"
#include "res/WindowMessages.h"
#include "res/resource.h"
#include "update/Upgrade.h"
#include "update/win32/UpgradeDialogs.h"

namespace {

constexpr DWORD DOWNLOAD_WAIT_MS = 120000;

// What the download thread holds: it may outlive the command's wait.
struct DownloadThreadData {
  std::shared_ptr<CDownloadControl> control;
  DownloadJob job;
  bool nameAccepted;
};

DWORD WINAPI DownloadThreadProc(void* parameter) {
  std::unique_ptr<DownloadThreadData> data(static_cast<DownloadThreadData*>(parameter));
  if (!data->nameAccepted) {
    // Nothing is written under a name that could leave the folder.
    if (HWND window = data->control->window.load())
      SendMessageA(window, WM_APP_DOWNLOAD_PROGRESS, 1, static_cast<LPARAM>(DL_ERR_FILE_NAME));
    return DL_ERR_FILE_NAME;
  }
  return DownloadFile(data->job, *data->control, WM_APP_DOWNLOAD_PROGRESS);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

const CCmdTarget::CommandEntry<CUpgradeCommands> CUpgradeCommands::COMMANDS[] = {
    {ID_CHECK_VERSION, &CUpgradeCommands::OnCheckForNewerVersion, nullptr},
};

CUpgradeCommands::CUpgradeCommands(CMainFrame& f, RecoveryContext& notes) : frame(f), notesFile(notes) {}

void CUpgradeCommands::SetRunningVersion(uint32_t ms, uint32_t ls) {
  versionMS = ms;
  versionLS = ls;
}

bool CUpgradeCommands::OnCommand(UINT id) { return RunFromTable(this, COMMANDS, id); }

bool CUpgradeCommands::OnUpdateCommand(CCmdUI& ui) { return UpdateFromTable(this, COMMANDS, ui); }

void CUpgradeCommands::OnCheckForNewerVersion() {
  Settings& s = notesFile.settings;
  if (s.flags & FLAG_UPGRADE_PENDING) {
    static_cast<void>(OfferUpgradeInstall());
    return;
  }
  const std::string agent = LoadResourceString(IDS_AGENT_NAME);
  VersionRequest request{VersionFileUrl(s.updateServer), agent, BuildProxySettings(s, SystemProxies),
                         FormatProductVersion(versionMS, versionLS) + ":"};
  CCheckVersionDlg check(frame.GetSafeHwnd(), frame.Worker(), std::move(request), notesFile.messages);
  if (check.DoModal() == IDOK && !DownloadUpgrade(check.upgradeUrl, check.upgradeDesc, check.info, agent)) return;
  s.lastVersionCheck = notesFile.now();
}

bool CUpgradeCommands::DownloadUpgrade(const std::string& url, const std::string& description,
                                       const VersionInfo& info, const std::string& agent) {
  Settings& s = notesFile.settings;
  const std::string folder = s.appDir + "Upgrades\\";
  if (!IsFolder(folder) && !CreateDirectoryA(folder.c_str(), nullptr)) {
    ShowMessage(notesFile.messages, IDS_UPGRADES_FOLDER_FAILED, MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
  }
  const std::string name = UpgradeFileNameOf(url);
  // Always by full path: the current directory is never changed.
  DownloadJob job{url, folder + name, BuildProxySettings(s, SystemProxies), agent, info.upgradeSize};
  auto control = std::make_shared<CDownloadControl>();
  CHandle thread;
  const auto start = [&]() {
    auto* data = new DownloadThreadData{control, job, IsPlainFileName(name)};
    HANDLE handle = CreateThread(nullptr, 0, DownloadThreadProc, data, 0, nullptr);
    if (handle == nullptr) {
      delete data;
      return false;
    }
    thread = CHandle(handle);
    return true;
  };
  CDownloadDlg dialog(frame.GetSafeHwnd(), description, info.upgradeSize, control, start, notesFile.messages);
  const bool complete = dialog.DoModal() == IDOK;
  if (!complete) control->Cancel();
  // A thread still blocked after the wait keeps its own share of the state.
  if (thread.Valid()) WaitForSingleObject(thread.Get(), DOWNLOAD_WAIT_MS);
  if (complete) {
    s.lastUpgradeFile = job.path;
    s.lastUpgradeVersion = info.upgradeName.substr(0, UPGRADE_VERSION_CAPACITY - 1);
    s.flags |= FLAG_UPGRADE_PENDING;
    notesFile.saveSettings(SETTINGS_UPGRADE);
    static_cast<void>(OfferUpgradeInstall());
  }
  return true;
}

bool CUpgradeCommands::OfferUpgradeInstall() {
  Settings& s = notesFile.settings;
  if (ShowMessage(notesFile.messages, IDS_ASK_INSTALL_UPGRADE, MessageButtons::YesNo, MessageIcon::Question) !=
      MessageAnswer::Yes) {
    return false;
  }
  // The installer may replace the program: nothing typed is left unsaved.
  frame.SaveAllNotes();
  if (notesFile.store.dirty) return false;
  // The failure is told below, in the program's words, not by the shell.
  SHELLEXECUTEINFOA run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  run.hwnd = frame.GetSafeHwnd();
  run.lpVerb = "open";
  run.lpFile = s.lastUpgradeFile.c_str();
  run.lpDirectory = s.appDir.c_str();
  run.nShow = SW_SHOW;
  if (!ShellExecuteExA(&run) || reinterpret_cast<INT_PTR>(run.hInstApp) <= 32) {
    // A file that cannot be run is not offered again; the next check
    // downloads the upgrade anew.
    s.flags &= ~FLAG_UPGRADE_PENDING;
    notesFile.saveSettings(SETTINGS_UPGRADE);
    ShowMessage(notesFile.messages, IDS_INSTALLER_NOT_STARTED, MessageButtons::Ok, MessageIcon::Exclamation,
                {{"<FILENAME>", s.lastUpgradeFile}});
    return false;
  }
  frame.Quit();
  return true;
}
