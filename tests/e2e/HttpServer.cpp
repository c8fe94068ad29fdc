#include "HttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>

namespace e2e {

HttpServer::HttpServer() {
  InitializeCriticalSection(&lock);
  stopping = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener, 8);
  int size = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  port = ntohs(address.sin_port);
  thread = CreateThread(nullptr, 0, AcceptLoop, this, 0, nullptr);
}

HttpServer::~HttpServer() {
  Stop();
  DeleteCriticalSection(&lock);
  CloseHandle(stopping);
  WSACleanup();
}

std::string HttpServer::Host() const { return "127.0.0.1:" + std::to_string(port); }

void HttpServer::Serve(const std::string& path, const Reply& reply) {
  EnterCriticalSection(&lock);
  replies[path] = reply;
  LeaveCriticalSection(&lock);
}

void HttpServer::Stop() {
  if (listener == INVALID_SOCKET) return;
  SetEvent(stopping);
  closesocket(listener);
  listener = INVALID_SOCKET;
  WaitForSingleObject(thread, 10000);
  CloseHandle(thread);
  thread = nullptr;
}

std::vector<std::string> HttpServer::Requests() {
  EnterCriticalSection(&lock);
  std::vector<std::string> copy = requests;
  LeaveCriticalSection(&lock);
  return copy;
}

DWORD WINAPI HttpServer::AcceptLoop(void* parameter) {
  auto* self = static_cast<HttpServer*>(parameter);
  for (;;) {
    SOCKET client = accept(self->listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) return 0;  // closed by Stop
    self->Answer(client);
    closesocket(client);
  }
}

void HttpServer::Answer(SOCKET client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) return;
    request.append(buffer, static_cast<size_t>(got));
  }
  const size_t start = request.find(' ') + 1;
  const std::string path = request.substr(start, request.find(' ', start) - start);
  Reply reply{404, "<html><body>Not Found</body></html>", 0, false};
  EnterCriticalSection(&lock);
  requests.push_back(path);
  auto found = replies.find(path);
  if (found != replies.end()) reply = found->second;
  LeaveCriticalSection(&lock);

  const uint64_t length = std::max<uint64_t>(reply.length, reply.body.size());
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + (reply.status == 200 ? " OK" : " Error") +
                     "\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(length) +
                     "\r\nConnection: close\r\n\r\n";
  std::string data = head + reply.body;
  uint64_t left = length - reply.body.size();
  // A large body goes out in blocks; a client that hangs up ends it.
  for (;;) {
    size_t sent = 0;
    while (sent < data.size()) {
      const int n = send(client, data.data() + sent, static_cast<int>(data.size() - sent), 0);
      if (n <= 0) return;
      sent += static_cast<size_t>(n);
    }
    if (left == 0) break;
    if (reply.hold) break;
    data.assign(static_cast<size_t>(std::min<uint64_t>(left, 65536)), 'x');
    left -= data.size();
  }
  if (reply.hold) WaitForSingleObject(stopping, INFINITE);
  shutdown(client, SD_SEND);
}

}  // namespace e2e
