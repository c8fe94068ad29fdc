#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "frame/Worker.h"
#include "framework/Handles.h"
#include "update/win32/Internet.h"

// The main window's background worker thread. The worker only waits and
// posts; it never touches a window or the store's notes.
class CWorkerThread {
 public:
  CWorkerThread() = default;
  // Stops the thread (at most TIMEOUT_MS) if it still runs.
  ~CWorkerThread();
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  static constexpr DWORD STOP_TIMEOUT_MS = 120000;

  // Starts WorkerThreadProc posting to `mainWindow`. False when no event or
  // thread could be had: the program then runs without the worker.
  // `saveHeldSince` (CSaveSchedule::HeldSince) puts off the automatic save
  // after a failed one.
  [[nodiscard]] bool Start(HWND mainWindow, const Settings& settings, const NoteStore& store,
                           const std::atomic<bool>& startupInProgress,
                           const std::atomic<int32_t>* saveHeldSince = nullptr);
  // Wakes the worker before its wait runs out.
  void Wake();
  // The worker returns at its next wake-up.
  void RequestStop();
  // Asks the worker to stop, wakes it and waits at most `timeoutMs` for it;
  // true when no thread runs any more.
  bool Stop(DWORD timeoutMs = STOP_TIMEOUT_MS);
  bool Running() const { return thread.Valid(); }
  // Hands a version check to the worker and wakes it; the result goes to
  // `dialog` as WM_APP_VERSION_RESULT. False when no worker runs.
  bool RequestVersionCheck(HWND dialog, VersionRequest request);
  // What the last finished check read; valid when its result has arrived.
  VersionInfo LastVersionInfo() const;

 private:
  // Everything the thread uses. The thread holds a share of it, so a thread
  // that outlives the stop time-out never sees it freed.
  struct Shared : IWorkerHost {
    Shared(HWND window, const Settings& s, const NoteStore& st, const std::atomic<bool>& startup,
           const std::atomic<int32_t>* held)
        : mainWindow(window), inputs{autoSave, st, startup, workerStop, held, &versionCheckRequested} {
      autoSave.Publish(s);
    }
    void Wait(uint32_t milliseconds) override;
    int32_t Now() override;
    bool PostAutoSave() override;
    bool PostReminderScan(int32_t now) override;
    void RunVersionRequest() override;

    HWND mainWindow;
    CHandle workerEvent;
    std::atomic<bool> workerStop{false};
    AutoSaveSetting autoSave;
    std::atomic<bool> versionCheckRequested{false};
    // Read when the worker posts: a newer dialog gets an older request's result.
    std::atomic<HWND> checkDialogWnd{nullptr};
    mutable CLock versionLock;  // guards the two below
    VersionRequest versionRequest;
    VersionInfo versionInfo;
    WorkerInputs inputs;
  };
  static DWORD WINAPI WorkerThreadProc(void* parameter);

  std::shared_ptr<Shared> shared;
  CHandle thread;
};
