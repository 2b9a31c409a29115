// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A hostile HTTP server on 127.0.0.1 for tests: each connection is handed to a script that may send
// endlessly, drip, or reset the connection. Every script is bounded by a stop flag and a deadline, so
// a test never hangs on the server, whatever the client does.

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

class HostileServer {
 public:
  // What a script may do with its connection; every call gives up once the server stops.
  class Connection {
   public:
    Connection(int fd, const std::atomic<bool>& stop) : fd_(fd), stop_(stop) {}
    // Reads up to the end of the request header (or until the client closes).
    std::string readRequest() {
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536 && !stopping()) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
      }
      return request;
    }
    // False once the client has gone or the server stops.
    bool send(const std::string& bytes) {
      std::size_t sent = 0;
      while (sent < bytes.size()) {
        if (stopping()) return false;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, 20) <= 0) continue;
        const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
      }
      return true;
    }
    // Waits ms (less when the server stops).
    void pause(int ms) {
      for (int waited = 0; waited < ms && !stopping(); waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // Ends the connection with a TCP reset instead of an orderly close.
    void reset() {
      linger l{1, 0};
      ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
    bool stopping() const { return stop_ || std::chrono::steady_clock::now() > deadline_; }

   private:
    int fd_;
    const std::atomic<bool>& stop_;
    std::chrono::steady_clock::time_point deadline_ =
        std::chrono::steady_clock::now() + std::chrono::seconds(20);
  };
  using Script = std::function<void(Connection&)>;

  // One script per connection, in order of arrival.
  explicit HostileServer(std::vector<Script> scripts) : scripts_(std::move(scripts)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0)
      throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
  }
  ~HostileServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }

  std::string url(const std::string& path = "/f") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int connections() const { return connections_; }

 private:
  void run() {
    for (const Script& script : scripts_) {
      int fd = -1;
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      while (fd < 0 && !stop_ && std::chrono::steady_clock::now() < deadline) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 20) > 0) fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      }
      if (fd < 0) return;
      ++connections_;
      Connection connection(fd, stop_);
      script(connection);
      ::close(fd);
    }
  }

  std::vector<Script> scripts_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};
