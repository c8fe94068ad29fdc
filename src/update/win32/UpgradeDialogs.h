#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/Messages.h"
#include "frame/win32/WorkerThread.h"
#include "help/win32/HelpDialogs.h"
#include "update/win32/Internet.h"

// Asks the worker for the version file and shows what it says; "Download"
// ends the dialog with IDOK when an upgrade is offered.
class CCheckVersionDlg : public CHelpDialog {
 public:
  CCheckVersionDlg(HWND parent, CWorkerThread& worker, VersionRequest request, IMessages& messages);

  // The offered download, once a successful result has arrived.
  std::string upgradeUrl;
  std::string upgradeDesc;
  VersionInfo info;

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  void OnVersionResult(bool ok, uint32_t error);

  CWorkerThread& worker;
  VersionRequest request;
  IMessages& messages;
};

// The progress of an upgrade download. `start` runs once the dialog can
// receive the download's messages.
class CDownloadDlg : public CHelpDialog {
 public:
  CDownloadDlg(HWND parent, const std::string& description, uint32_t announcedSize,
               std::shared_ptr<CDownloadControl> control, std::function<bool()> start, IMessages& messages);

 protected:
  bool OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

 private:
  void OnProgress(WPARAM finished, LPARAM value);

  std::string description;
  uint32_t announcedSize;
  std::shared_ptr<CDownloadControl> control;
  std::function<bool()> start;
  IMessages& messages;
  uint64_t total = 0;
  bool complete = false;
};
