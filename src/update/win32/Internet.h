#pragma once
#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "update/ProxyList.h"
#include "update/VersionFile.h"

using CInternetHandle = CUniqueHandle<HINTERNET, InternetCloseHandle>;

// A lock between the user-interface thread and a network thread (the
// compiler's thread model has no std::mutex).
class CLock {
 public:
  void Acquire() { AcquireSRWLockExclusive(&lock); }
  void Release() { ReleaseSRWLockExclusive(&lock); }

 private:
  SRWLOCK lock = SRWLOCK_INIT;
};

class CLockGuard {
 public:
  explicit CLockGuard(CLock& l) : lock(l) { lock.Acquire(); }
  ~CLockGuard() { lock.Release(); }
  CLockGuard(const CLockGuard&) = delete;
  CLockGuard& operator=(const CLockGuard&) = delete;

 private:
  CLock& lock;
};

// What the system's Internet settings name as proxies (none when it cannot
// tell).
ProxyLists SystemProxies();

// A version check as the user-interface thread prepares it for the worker.
struct VersionRequest {
  std::string url;
  std::string agent;
  ProxyLists proxies;
  std::string runningTag;  // "%d.%02d.%03d:"
};

struct VersionCheckOutcome {
  bool ok = false;
  uint32_t error = 0;  // VCERR_* when not ok
  VersionInfo info;
};

// Fetches and reads the version file; blocks for at most the time-outs.
VersionCheckOutcome FetchVersionFile(const VersionRequest& request);

// The download's state shared by the user-interface thread and the download
// thread.
class CDownloadControl {
 public:
  // The window the progress goes to, or null.
  std::atomic<HWND> window{nullptr};
  std::atomic<uint64_t> downloadedBytes{0};

  // Sets the cancel flag and closes the open request, so that a read
  // blocked on it returns at once.
  void Cancel();
  bool Cancelled() const { return cancel.load(); }
  // The download thread's request, closed by whichever side comes first.
  // False (the handle closed) when the download was cancelled meanwhile.
  bool Adopt(HINTERNET request);
  void CloseRequest();

 private:
  std::atomic<bool> cancel{false};
  CLock lock;
  HINTERNET request = nullptr;
};

struct DownloadJob {
  std::string url;
  std::string path;  // full path of the file to write
  ProxyLists proxies;
  std::string agent;
  uint32_t announcedSize = 0;  // 0: unknown
};

// Downloads `job.url` into `job.path`, sending `message` to the control's
// window: (0, bytes written) per block, then (1, result). A download that
// does not end with DL_OK leaves no file.
uint32_t DownloadFile(const DownloadJob& job, CDownloadControl& control, UINT message);
