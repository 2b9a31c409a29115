// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct addrinfo;

// One TCP connection, optionally with TLS, for a single request. Every wait is bounded: the name lookup
// and connecting by the connect time-out (per address tried), the TLS handshake, every read and every
// write by the read time-out, and all of them together by the deadline of the whole transfer.
// Failures throw std::runtime_error with an English text.
//
// TLS: version 1.2 or newer; the server certificate must chain to the system trust store or to the
// CA file named in $ZIEHFIX_CA_FILE, and must be issued for the host (a name is also sent as SNI; an
// IP literal is checked against the certificate's IP addresses).
class HttpConnection {
 public:
  struct Target {
    std::string host;            // name or IP literal (IPv6 without brackets)
    std::string port;            // decimal
    std::string connectAddress;  // when set, connect here instead of resolving host
    bool tls = false;
    int connectTimeoutMs = 10000;
    int readTimeoutMs = 30000;
    // The end of the whole transfer; a wait that reaches it throws "Transfer timed out".
    std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
    // Called about every 50 ms while a wait lasts (a window repaints, a cancel throws from here).
    std::function<void()> idle;
    // The name lookup (getaddrinfo); tests put a slow one here.
    std::function<int(const char*, const char*, const addrinfo*, addrinfo**)> lookup;
  };

  explicit HttpConnection(const Target& target);
  ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  void sendAll(std::string_view bytes);
  // Reads at most size bytes into buffer; 0 when the server has closed the connection.
  std::size_t read(char* buffer, std::size_t size);

 private:
  struct Tls;
  void connectSocket(const Target& target);
  void startTls(const Target& target);
  // Waits until the socket is readable (events POLLIN) or writable (POLLOUT); throws on time-out.
  void wait(short events, int timeoutMs, const char* what);

  int fd_ = -1;
  int readTimeoutMs_;
  std::chrono::steady_clock::time_point deadline_;
  std::function<void()> idle_;
  std::unique_ptr<Tls> tls_;
};
