#include "frame/win32/WorkerThread.h"

#include <ctime>

#include "res/WindowMessages.h"

CWorkerThread::~CWorkerThread() { Stop(); }

bool CWorkerThread::Start(HWND mainWindow, const Settings& settings, const NoteStore& store,
                          const std::atomic<bool>& startupInProgress,
                          const std::atomic<int32_t>* saveHeldSince) {
  if (thread.Valid()) return true;
  auto state = std::make_shared<Shared>(mainWindow, settings, store, startupInProgress, saveHeldSince);
  state->workerEvent = CHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!state->workerEvent.Valid()) return false;
  auto* threadShare = new std::shared_ptr<Shared>(state);
  HANDLE handle = CreateThread(nullptr, 0, WorkerThreadProc, threadShare, CREATE_SUSPENDED, nullptr);
  if (handle == nullptr) {
    delete threadShare;
    return false;
  }
  thread = CHandle(handle);
  shared = std::move(state);
  ResumeThread(handle);
  return true;
}

DWORD WINAPI CWorkerThread::WorkerThreadProc(void* parameter) {
  std::unique_ptr<std::shared_ptr<Shared>> share(static_cast<std::shared_ptr<Shared>*>(parameter));
  Shared& state = **share;
  RunWorker(state, state.inputs);
  return 0;
}

void CWorkerThread::Wake() {
  if (shared != nullptr) SetEvent(shared->workerEvent.Get());
}

void CWorkerThread::RequestStop() {
  if (shared != nullptr) shared->workerStop = true;
}

bool CWorkerThread::Stop(DWORD timeoutMs) {
  if (!thread.Valid()) return true;
  RequestStop();
  Wake();
  const bool ended = WaitForSingleObject(thread.Get(), timeoutMs) == WAIT_OBJECT_0;
  thread.Close();
  shared.reset();
  return ended;
}

void CWorkerThread::Shared::Wait(uint32_t milliseconds) { WaitForSingleObject(workerEvent.Get(), milliseconds); }

int32_t CWorkerThread::Shared::Now() { return static_cast<int32_t>(std::time(nullptr)); }

bool CWorkerThread::Shared::PostAutoSave() { return PostMessageA(mainWindow, WM_APP_AUTOSAVE, 0, 0) != FALSE; }

bool CWorkerThread::Shared::PostReminderScan(int32_t now) {
  return PostMessageA(mainWindow, WM_APP_SCAN_REMINDERS, 0, static_cast<LPARAM>(now)) != FALSE;
}

bool CWorkerThread::RequestVersionCheck(HWND dialog, VersionRequest request) {
  if (shared == nullptr) return false;
  {
    CLockGuard guard(shared->versionLock);
    shared->versionRequest = std::move(request);
  }
  shared->checkDialogWnd = dialog;
  shared->versionCheckRequested = true;
  Wake();
  return true;
}

VersionInfo CWorkerThread::LastVersionInfo() const {
  if (shared == nullptr) return VersionInfo();
  CLockGuard guard(shared->versionLock);
  return shared->versionInfo;
}

void CWorkerThread::Shared::RunVersionRequest() {
  VersionRequest request;
  {
    CLockGuard guard(versionLock);
    request = versionRequest;
  }
  VersionCheckOutcome outcome = FetchVersionFile(request);
  // A failed check leaves what the last good one read.
  if (outcome.ok) {
    CLockGuard guard(versionLock);
    versionInfo = std::move(outcome.info);
  }
  PostMessageA(checkDialogWnd.load(), WM_APP_VERSION_RESULT, outcome.ok ? 1 : 0, static_cast<LPARAM>(outcome.error));
}
