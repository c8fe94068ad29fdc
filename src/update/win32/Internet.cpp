#include "update/win32/Internet.h"

#include <vector>

#include "update/Upgrade.h"

namespace {

constexpr DWORD TIMEOUT_MS = 30000;
constexpr DWORD CONNECT_RETRIES = 2;
constexpr DWORD READ_BLOCK = 512;

CInternetHandle OpenSession(const std::string& agent, const ProxyLists& proxies, DWORD accessWithoutProxy) {
  const bool direct = proxies.list.empty();
  CInternetHandle session(InternetOpenA(agent.c_str(), direct ? accessWithoutProxy : INTERNET_OPEN_TYPE_PROXY,
                                        direct ? nullptr : proxies.list.c_str(),
                                        direct || proxies.bypass.empty() ? nullptr : proxies.bypass.c_str(), 0));
  if (!session.Valid()) return session;
  DWORD retries = CONNECT_RETRIES;
  DWORD timeout = TIMEOUT_MS;
  InternetSetOptionA(session.Get(), INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                       INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
    InternetSetOptionA(session.Get(), option, &timeout, sizeof timeout);
  return session;
}

HINTERNET OpenUrl(HINTERNET session, const std::string& url) {
  const bool ftp = CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, url.c_str(),
                                  static_cast<int>(url.size() < 3 ? url.size() : 3), "ftp", 3) == CSTR_EQUAL;
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      (ftp ? INTERNET_FLAG_RAW_DATA | INTERNET_FLAG_PASSIVE : INTERNET_FLAG_NO_COOKIES);
  const char* headers = ftp ? nullptr : "Accept: */*\r\n";
  return InternetOpenUrlA(session, url.c_str(), headers, ftp ? 0 : static_cast<DWORD>(-1), flags, 0);
}

// An HTTP reply other than 200 is an error page, not the file asked for.
bool ReplyIsOk(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
    // Not HTTP (ftp): there is no status to judge.
    return GetLastError() == ERROR_INTERNET_INCORRECT_HANDLE_TYPE;
  }
  return status == 200;
}

}  // namespace

ProxyLists SystemProxies() {
  std::vector<char> buffer(2048);
  auto* info = reinterpret_cast<INTERNET_PROXY_INFO*>(buffer.data());
  info->dwAccessType = INTERNET_OPEN_TYPE_DIRECT;  // a failed query counts as no proxy
  DWORD size = static_cast<DWORD>(buffer.size());
  ProxyLists lists;
  if (!InternetQueryOptionA(nullptr, INTERNET_OPTION_PROXY, buffer.data(), &size)) return lists;
  if (info->dwAccessType != INTERNET_OPEN_TYPE_PROXY || info->lpszProxy == nullptr) return lists;
  lists.list = reinterpret_cast<const char*>(info->lpszProxy);
  if (info->lpszProxyBypass != nullptr) lists.bypass = reinterpret_cast<const char*>(info->lpszProxyBypass);
  return lists;
}

VersionCheckOutcome FetchVersionFile(const VersionRequest& request) {
  VersionCheckOutcome outcome;
  CInternetHandle session = OpenSession(request.agent, request.proxies, INTERNET_OPEN_TYPE_PRECONFIG);
  if (!session.Valid()) {
    outcome.error = VCERR_INTERNET_OPEN;
    return outcome;
  }
  CInternetHandle url(OpenUrl(session.Get(), request.url));
  if (!url.Valid()) {
    outcome.error = VCERR_OPEN_URL;
    return outcome;
  }
  if (!ReplyIsOk(url.Get())) {
    outcome.error = VCERR_INVALID_FILE;
    return outcome;
  }
  std::string body;
  char block[READ_BLOCK];
  for (;;) {
    DWORD read = 0;
    if (!InternetReadFile(url.Get(), block, sizeof block - 1, &read)) {
      outcome.error = VCERR_READ;
      return outcome;
    }
    if (read == 0) break;
    body.append(block, read);
    // Longer than any version file: not read to its end.
    if (body.size() > VERSION_FILE_MAX_BYTES) {
      outcome.error = VCERR_INVALID_FILE;
      return outcome;
    }
  }
  if (!IsVersionFile(body)) {
    outcome.error = VCERR_INVALID_FILE;
    return outcome;
  }
  ParseVersionFile(body, request.runningTag, outcome.info);
  outcome.ok = true;
  return outcome;
}

void CDownloadControl::Cancel() {
  CLockGuard guard(lock);
  cancel = true;
  if (request != nullptr) InternetCloseHandle(request);
  request = nullptr;
}

bool CDownloadControl::Adopt(HINTERNET opened) {
  CLockGuard guard(lock);
  if (cancel) {
    InternetCloseHandle(opened);
    return false;
  }
  request = opened;
  return true;
}

void CDownloadControl::CloseRequest() {
  CLockGuard guard(lock);
  if (request != nullptr) InternetCloseHandle(request);
  request = nullptr;
}

namespace {

void Send(CDownloadControl& control, UINT message, WPARAM finished, LPARAM value) {
  if (HWND window = control.window.load()) SendMessageA(window, message, finished, value);
}

uint32_t Transfer(const DownloadJob& job, CDownloadControl& control, UINT message, HANDLE file) {
  CInternetHandle session = OpenSession(job.agent, job.proxies, INTERNET_OPEN_TYPE_DIRECT);
  if (!session.Valid()) return DL_ERR_INTERNET_OPEN;
  HINTERNET request = OpenUrl(session.Get(), job.url);
  if (request == nullptr) return control.Cancelled() ? DL_CANCELLED : DL_ERR_OPEN_URL;
  if (!control.Adopt(request)) return DL_CANCELLED;
  uint32_t result = DL_OK;
  uint64_t total = 0;
  if (!ReplyIsOk(request)) result = DL_ERR_REPLY;
  char block[READ_BLOCK];
  while (result == DL_OK) {
    if (control.Cancelled()) {
      result = DL_CANCELLED;
      break;
    }
    DWORD read = 0;
    if (!InternetReadFile(request, block, sizeof block, &read)) {
      result = control.Cancelled() ? DL_CANCELLED : DL_ERR_READ;
      break;
    }
    if (read == 0) break;
    DWORD written = 0;
    if (!WriteFile(file, block, read, &written, nullptr) || written != read) {
      result = DL_ERR_WRITE;
      break;
    }
    total += read;
    control.downloadedBytes += read;
    Send(control, message, 0, static_cast<LPARAM>(read));
  }
  // A read that the cancel's close ended may look like the end of the body.
  if (result == DL_OK && control.Cancelled()) result = DL_CANCELLED;
  // A short body reads as a clean end: only the announced size tells.
  if (result == DL_OK && !DownloadLengthMatches(total, job.announcedSize)) result = DL_ERR_REPLY;
  control.CloseRequest();
  return result;
}

}  // namespace

uint32_t DownloadFile(const DownloadJob& job, CDownloadControl& control, UINT message) {
  uint32_t result = DL_OK;
  HANDLE file = CreateFileA(job.path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    result = GetLastError();
    if (result == DL_OK) result = DL_ERR_WRITE;
  } else {
    result = Transfer(job, control, message, file);
    CloseHandle(file);
    // Never a part of an installer left to be run.
    if (result != DL_OK) DeleteFileA(job.path.c_str());
  }
  Send(control, message, 1, static_cast<LPARAM>(result));
  return result;
}
