#pragma once
// A small HTTP server on 127.0.0.1 inside the driver, for the version check
// and the upgrade download: each path answers with a fixed status and body.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

class HttpServer {
 public:
  struct Reply {
    Reply(int s = 200, std::string b = std::string(), uint64_t l = 0, bool h = false)
        : status(s), body(std::move(b)), length(l), hold(h) {}
    int status = 200;
    std::string body;
    // When larger than the body: the body, then 'x' up to this many bytes.
    uint64_t length = 0;
    // Keeps the connection open after the body, until Stop.
    bool hold = false;
  };

  // Listens on a port the system picks.
  HttpServer();
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // "127.0.0.1:<port>", as the program's server setting.
  std::string Host() const;
  void Serve(const std::string& path, const Reply& reply);
  // Closes the port: connections to it are refused from now on.
  void Stop();
  // The paths asked for so far, in order.
  std::vector<std::string> Requests();

 private:
  static DWORD WINAPI AcceptLoop(void* self);
  void Answer(SOCKET client);

  SOCKET listener = INVALID_SOCKET;
  uint16_t port = 0;
  HANDLE thread = nullptr;
  HANDLE stopping = nullptr;
  CRITICAL_SECTION lock;
  std::map<std::string, Reply> replies;
  std::vector<std::string> requests;
};

}  // namespace e2e
