#include "app/win32/SingleCopy.h"

#include "res/WindowMessages.h"

namespace {

// Per session, so another user's copy on the same machine does not count.
constexpr const char* MUTEX_NAME = "Local\\Brindle Software Quillery";
constexpr int WAIT_ROUNDS = 20;
constexpr DWORD WAIT_ROUND_MS = 500;

HWND OtherWindow() { return FindWindowA(MAIN_WINDOW_CLASS, nullptr); }

}  // namespace

bool CSingleCopy::Claim() {
  mutex = CHandle(CreateMutexA(nullptr, TRUE, MUTEX_NAME));
  // Without the mutex the window class still finds a running copy.
  if (!mutex.Valid()) return OtherWindow() == nullptr;
  return GetLastError() != ERROR_ALREADY_EXISTS;
}

bool CSingleCopy::ActivateOther() {
  for (int round = 0; round < WAIT_ROUNDS; ++round) {
    if (HWND other = OtherWindow()) {
      PostMessageA(other, WM_APP_ACTIVATE, 0, 0);
      return false;
    }
    // No window: still starting, or closed and ending (a quit can take
    // seconds while a version check gives up). Once its process has ended,
    // its notes are saved and this copy may run.
    if (!mutex.Valid()) {
      Sleep(WAIT_ROUND_MS);
      continue;
    }
    const DWORD waited = WaitForSingleObject(mutex.Get(), WAIT_ROUND_MS);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return true;
  }
  return false;
}

void CSingleCopy::StopOtherAndWait() {
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  bool asked = false;
  for (int round = 0; round < WAIT_ROUNDS; ++round) {
    if (!asked) {
      if (HWND other = OtherWindow()) asked = PostMessageA(other, WM_APP_QUIT, 0, 0) != FALSE;
    }
    // The mutex comes free when the other process has ended, its save done.
    if (!mutex.Valid()) {
      if (asked && OtherWindow() == nullptr) break;
      Sleep(WAIT_ROUND_MS);
      continue;
    }
    const DWORD waited = WaitForSingleObject(mutex.Get(), WAIT_ROUND_MS);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) break;
  }
  SetCursor(previous);
}
