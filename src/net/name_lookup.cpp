// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/name_lookup.h"

#include <arpa/inet.h>
#include <sys/socket.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {
struct PendingLookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;  // the caller has given up; the thread frees the result
  int rc = 0;
  addrinfo* list = nullptr;
};

addrinfo hintsForStream(int flags) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV | flags;
  return hints;
}

bool isNumericAddress(const std::string& node) {
  unsigned char buffer[sizeof(in6_addr)];
  return inet_pton(AF_INET, node.c_str(), buffer) == 1 || inet_pton(AF_INET6, node.c_str(), buffer) == 1;
}
}  // namespace

AddressList lookupAddresses(const std::string& node, const std::string& port,
                            std::chrono::steady_clock::time_point deadline, const LookupFunction& lookup,
                            const std::function<void()>& idle) {
  const LookupFunction resolve = lookup ? lookup : LookupFunction(::getaddrinfo);
  if (isNumericAddress(node)) {
    const addrinfo hints = hintsForStream(AI_NUMERICHOST);
    addrinfo* list = nullptr;
    const int rc = resolve(node.c_str(), port.c_str(), &hints, &list);
    if (rc != 0) throw std::runtime_error(node + ": " + ::gai_strerror(rc));
    return AddressList(list, ::freeaddrinfo);
  }

  auto pending = std::make_shared<PendingLookup>();
  std::thread([pending, resolve, node, port] {
    const addrinfo hints = hintsForStream(0);
    addrinfo* list = nullptr;
    const int rc = resolve(node.c_str(), port.c_str(), &hints, &list);
    std::lock_guard<std::mutex> lock(pending->mutex);
    if (pending->abandoned) {
      if (rc == 0 && list) ::freeaddrinfo(list);
    } else {
      pending->rc = rc;
      pending->list = list;
    }
    pending->done = true;
    pending->finished.notify_all();
  }).detach();

  std::unique_lock<std::mutex> lock(pending->mutex);
  while (!pending->done) {
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      pending->abandoned = true;
      throw std::runtime_error(node + ": Name lookup timed out");
    }
    const auto slice =
        std::min<std::chrono::steady_clock::duration>(deadline - now, std::chrono::milliseconds(50));
    pending->finished.wait_for(lock, slice);
    if (!pending->done && idle) {
      lock.unlock();
      try {
        idle();
      } catch (...) {
        lock.lock();
        if (pending->done && pending->list) ::freeaddrinfo(pending->list);
        pending->list = nullptr;
        pending->abandoned = true;
        throw;
      }
      lock.lock();
    }
  }
  if (pending->rc != 0) throw std::runtime_error(node + ": " + ::gai_strerror(pending->rc));
  return AddressList(pending->list, ::freeaddrinfo);
}
