// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/http_connection.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include "net/name_lookup.h"

namespace {
[[noreturn]] void throwErrno(int error) {
  throw std::runtime_error(std::strerror(error));
}

bool isIpLiteral(const std::string& host) {
  unsigned char buffer[sizeof(in6_addr)];
  return inet_pton(AF_INET, host.c_str(), buffer) == 1 || inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

bool validPort(const std::string& port) {
  if (port.empty() || port.size() > 5) return false;
  for (char c : port)
    if (c < '0' || c > '9') return false;
  const int value = std::atoi(port.c_str());
  return value > 0 && value <= 65535;
}

// The text of OpenSSL's error queue, and why the certificate was refused, if it was.
std::string tlsErrorText(const char* what, SSL* ssl) {
  std::string text = what;
  if (ssl) {
    const long verify = SSL_get_verify_result(ssl);
    if (verify != X509_V_OK)
      text += std::string(": certificate refused: ") + X509_verify_cert_error_string(verify);
  }
  while (const unsigned long e = ERR_get_error()) {
    char buffer[256];
    ERR_error_string_n(e, buffer, sizeof buffer);
    text += std::string(": ") + buffer;
  }
  return text;
}
}  // namespace

struct HttpConnection::Tls {
  SSL_CTX* ctx = nullptr;
  SSL* ssl = nullptr;
  bool fatal = false;  // after a fatal error OpenSSL forbids a shutdown
  ~Tls() {
    if (ssl) {
      if (!fatal && SSL_is_init_finished(ssl)) SSL_shutdown(ssl);  // one try; the socket is non-blocking
      SSL_free(ssl);
    }
    SSL_CTX_free(ctx);
  }
};

HttpConnection::HttpConnection(const Target& target)
    : readTimeoutMs_(target.readTimeoutMs), deadline_(target.deadline), idle_(target.idle) {
  connectSocket(target);
  try {
    if (target.tls) startTls(target);
  } catch (...) {
    tls_.reset();
    ::close(fd_);
    throw;
  }
}

HttpConnection::~HttpConnection() {
  tls_.reset();
  if (fd_ >= 0) ::close(fd_);
}

void HttpConnection::wait(short events, int timeoutMs, const char* what) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point own = Clock::now() + std::chrono::milliseconds(timeoutMs);
  const bool transferEndsFirst = deadline_ < own;
  const Clock::time_point until = transferEndsFirst ? deadline_ : own;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) throw std::runtime_error(transferEndsFirst ? "Transfer timed out" : what);
    // With an idle hook the wait is cut into slices, so that the window behind it keeps painting.
    const long long slice = idle_ ? std::min<long long>(left, 50) : left;
    pollfd p{fd_, events, 0};
    const int r = ::poll(&p, 1, static_cast<int>(slice));
    if (r > 0) return;  // ready, or an error the next call reports
    if (r < 0 && errno != EINTR) throwErrno(errno);
    if (idle_) idle_();
  }
}

void HttpConnection::connectSocket(const Target& target) {
  if (!validPort(target.port)) throw std::runtime_error("Invalid port number: " + target.port);
  const std::string& node = target.connectAddress.empty() ? target.host : target.connectAddress;
  if (node.empty()) throw std::runtime_error("No host given");
  // The lookup shares the connect time-out: a name server that never answers must not hold us.
  const auto lookupEnd = std::min(
      target.deadline, std::chrono::steady_clock::now() + std::chrono::milliseconds(target.connectTimeoutMs));
  const AddressList list = lookupAddresses(node, target.port, lookupEnd, target.lookup, target.idle);

  std::string lastError = "Connection failed";
  for (addrinfo* a = list.get(); a; a = a->ai_next) {
    fd_ = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
    if (fd_ < 0) {
      lastError = std::strerror(errno);
      continue;
    }
    try {
      if (::connect(fd_, a->ai_addr, a->ai_addrlen) != 0) {
        if (errno != EINPROGRESS) throwErrno(errno);
        wait(POLLOUT, target.connectTimeoutMs, "Connect timed out");
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) throwErrno(errno);
        if (error != 0) throwErrno(error);
      }
      return;
    } catch (const std::runtime_error& e) {
      lastError = e.what();
      ::close(fd_);
      fd_ = -1;
    }
  }
  throw std::runtime_error(lastError);
}

void HttpConnection::startTls(const Target& target) {
  // A TLS write to a connection the server has closed raises SIGPIPE, which would end the program.
  static std::once_flag sigpipeIgnored;
  std::call_once(sigpipeIgnored, [] { std::signal(SIGPIPE, SIG_IGN); });

  ERR_clear_error();
  tls_ = std::make_unique<Tls>();
  tls_->ctx = SSL_CTX_new(TLS_client_method());
  if (!tls_->ctx) throw std::runtime_error(tlsErrorText("Cannot create the TLS context", nullptr));
  SSL_CTX_set_min_proto_version(tls_->ctx, TLS1_2_VERSION);
  SSL_CTX_set_verify(tls_->ctx, SSL_VERIFY_PEER, nullptr);
  SSL_CTX_set_default_verify_paths(tls_->ctx);
  const char* caFile = std::getenv("ZIEHFIX_CA_FILE");
  if (caFile && *caFile && SSL_CTX_load_verify_locations(tls_->ctx, caFile, nullptr) != 1)
    throw std::runtime_error(
        tlsErrorText((std::string("Cannot load the CA file ") + caFile).c_str(), nullptr));

  tls_->ssl = SSL_new(tls_->ctx);
  if (!tls_->ssl || SSL_set_fd(tls_->ssl, fd_) != 1)
    throw std::runtime_error(tlsErrorText("Cannot create the TLS session", nullptr));
  if (isIpLiteral(target.host)) {
    // No SNI for addresses; the certificate must name the address itself.
    if (X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(tls_->ssl), target.host.c_str()) != 1)
      throw std::runtime_error(tlsErrorText("Invalid IP address", nullptr));
  } else {
    SSL_set_hostflags(tls_->ssl, X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS);
    if (SSL_set_tlsext_host_name(tls_->ssl, target.host.c_str()) != 1 ||
        SSL_set1_host(tls_->ssl, target.host.c_str()) != 1)
      throw std::runtime_error(tlsErrorText("Invalid host name for TLS", nullptr));
  }
  // The whole handshake shares one read time-out, so a server dripping its handshake cannot stretch it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs_);
  auto left = [&deadline] {
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    return static_cast<int>(std::max<long long>(ms, 0));
  };
  for (;;) {
    ERR_clear_error();
    errno = 0;
    const int r = SSL_connect(tls_->ssl);
    const int savedErrno = errno;
    if (r == 1) return;
    const int error = SSL_get_error(tls_->ssl, r);
    if (error == SSL_ERROR_WANT_READ) {
      wait(POLLIN, left(), "TLS handshake timed out");
      continue;
    }
    if (error == SSL_ERROR_WANT_WRITE) {
      wait(POLLOUT, left(), "TLS handshake timed out");
      continue;
    }
    tls_->fatal = true;
    if (error == SSL_ERROR_SYSCALL && savedErrno != 0 && ERR_peek_error() == 0)
      throw std::runtime_error(std::string("TLS handshake failed: ") + std::strerror(savedErrno));
    throw std::runtime_error(tlsErrorText("TLS handshake failed", tls_->ssl));
  }
}

void HttpConnection::sendAll(std::string_view bytes) {
  while (!bytes.empty()) {
    if (tls_) {
      ERR_clear_error();
      errno = 0;
      const int r = SSL_write(tls_->ssl, bytes.data(), static_cast<int>(bytes.size()));
      const int savedErrno = errno;
      if (r > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(r));
        continue;
      }
      const int error = SSL_get_error(tls_->ssl, r);
      if (error == SSL_ERROR_WANT_READ) {
        wait(POLLIN, readTimeoutMs_, "Write timed out");
        continue;
      }
      if (error == SSL_ERROR_WANT_WRITE) {
        wait(POLLOUT, readTimeoutMs_, "Write timed out");
        continue;
      }
      tls_->fatal = true;
      if (error == SSL_ERROR_SYSCALL && savedErrno != 0) throwErrno(savedErrno);
      throw std::runtime_error(tlsErrorText("TLS write failed", nullptr));
    }
    const ssize_t r = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (r >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(r));
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      wait(POLLOUT, readTimeoutMs_, "Write timed out");
    } else if (errno != EINTR) {
      throwErrno(errno);
    }
  }
}

std::size_t HttpConnection::read(char* buffer, std::size_t size) {
  const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 20));
  for (;;) {
    if (tls_) {
      ERR_clear_error();
      errno = 0;
      const int r = SSL_read(tls_->ssl, buffer, chunk);
      const int savedErrno = errno;
      if (r > 0) return static_cast<std::size_t>(r);
      const int error = SSL_get_error(tls_->ssl, r);
      if (error == SSL_ERROR_ZERO_RETURN) return 0;
      if (error == SSL_ERROR_WANT_READ) {
        wait(POLLIN, readTimeoutMs_, "Read timed out");
        continue;
      }
      if (error == SSL_ERROR_WANT_WRITE) {
        wait(POLLOUT, readTimeoutMs_, "Read timed out");
        continue;
      }
      tls_->fatal = true;
      if (error == SSL_ERROR_SYSCALL && savedErrno != 0) throwErrno(savedErrno);
      // Also a close without TLS close-notify, which could hide a cut-off answer.
      throw std::runtime_error(tlsErrorText("TLS read failed", nullptr));
    }
    const ssize_t r = ::recv(fd_, buffer, static_cast<std::size_t>(chunk), 0);
    if (r >= 0) return static_cast<std::size_t>(r);
    if (errno == EAGAIN || errno == EWOULDBLOCK)
      wait(POLLIN, readTimeoutMs_, "Read timed out");
    else if (errno != EINTR)
      throwErrno(errno);
  }
}
