// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scripted HTTP(S) server on 127.0.0.1 for tests: it takes one connection per scripted reply, in
// order, records the request bytes, sends the reply and closes (or holds the connection silently).
// Every wait is bounded, so a test can never hang on it.

#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "test_pki.h"

struct ScriptedReply {
  std::string bytes;           // sent after the request has been read
  bool silent = false;         // send nothing and hold the connection until the server stops
  bool skipHandshake = false;  // with TLS: accept the TCP connection but never answer the handshake
};

class LoopbackServer {
 public:
  // tls: when given, every connection speaks TLS with its server certificate (not owned).
  // maxTlsVersion: when non-zero, the highest TLS version the server speaks (e.g. TLS1_1_VERSION).
  explicit LoopbackServer(std::vector<ScriptedReply> replies, const testpki::Identity* tls = nullptr,
                          int maxTlsVersion = 0)
      : replies_(std::move(replies)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0)
      throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (tls) {
      ctx_ = SSL_CTX_new(TLS_server_method());
      SSL_CTX_use_certificate(ctx_, tls->serverCert.get());
      SSL_CTX_use_PrivateKey(ctx_, tls->serverKey.get());
      SSL_CTX_set_tlsext_servername_callback(ctx_, &LoopbackServer::onServerName);
      SSL_CTX_set_tlsext_servername_arg(ctx_, this);
      if (maxTlsVersion != 0) {
        SSL_CTX_set_security_level(ctx_, 0);
        SSL_CTX_set_min_proto_version(ctx_, 0);
        SSL_CTX_set_max_proto_version(ctx_, maxTlsVersion);
      }
    }
    thread_ = std::thread([this] { run(); });
  }

  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    if (listener_ >= 0) ::close(listener_);
    SSL_CTX_free(ctx_);
  }

  int port() const { return port_; }
  std::string base(const char* protocol = "http", const char* host = "127.0.0.1") const {
    return std::string(protocol) + "://" + host + ":" + std::to_string(port_);
  }

  // The request bytes of every connection so far, in order.
  std::vector<std::string> requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
  }
  // The server names the clients sent by SNI ("" for a connection that sent none).
  std::vector<std::string> serverNames() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return serverNames_;
  }

 private:
  static int onServerName(SSL* ssl, int*, void* arg) {
    auto* self = static_cast<LoopbackServer*>(arg);
    const char* name = SSL_get_servername(ssl, TLSEXT_NAMETYPE_host_name);
    std::lock_guard<std::mutex> lock(self->mutex_);
    self->serverNames_.back() = name ? name : "";
    return SSL_TLSEXT_ERR_OK;
  }

  // Waits up to ms for fd to become readable; false when the server is stopping or the time is up.
  bool waitReadable(int fd, int ms) {
    for (int waited = 0; waited < ms && !stop_; waited += 20) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) return true;
    }
    return false;
  }

  void run() {
    for (const ScriptedReply& reply : replies_) {
      if (!waitReadable(listener_, 30000)) return;
      const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) return;
      timeval timeout{5, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
      ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.emplace_back();
        serverNames_.emplace_back();
      }
      serve(fd, reply);
      ::close(fd);
    }
  }

  void serve(int fd, const ScriptedReply& reply) {
    if (ctx_ && reply.skipHandshake) {
      waitReadable(-1, 60000);  // hold the connection until the server stops
      return;
    }
    SSL* ssl = nullptr;
    if (ctx_) {
      ssl = SSL_new(ctx_);
      SSL_set_fd(ssl, fd);
      if (SSL_accept(ssl) != 1) {  // e.g. the client refused our certificate
        SSL_free(ssl);
        return;
      }
    }
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 1 << 20) {
      const int n =
          ssl ? SSL_read(ssl, buffer, sizeof buffer) : static_cast<int>(::recv(fd, buffer, sizeof buffer, 0));
      if (n <= 0) break;
      request.append(buffer, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      requests_.back() = request;
    }
    if (reply.silent) {
      waitReadable(-1, 60000);
    } else if (ssl) {
      if (!reply.bytes.empty()) SSL_write(ssl, reply.bytes.data(), static_cast<int>(reply.bytes.size()));
      SSL_shutdown(ssl);
    } else {
      std::size_t sent = 0;
      while (sent < reply.bytes.size()) {
        const ssize_t n = ::send(fd, reply.bytes.data() + sent, reply.bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
    }
    SSL_free(ssl);
  }

  std::vector<ScriptedReply> replies_;
  int listener_ = -1;
  int port_ = 0;
  SSL_CTX* ctx_ = nullptr;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::vector<std::string> serverNames_;
  std::thread thread_;
};
