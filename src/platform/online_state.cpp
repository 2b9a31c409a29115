// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/online_state.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>

bool anyConnectedInterface(const std::vector<InterfaceAddress>& addresses) {
  return std::any_of(addresses.begin(), addresses.end(), [](const InterfaceAddress& a) {
    return a.up && a.running && !a.loopback && !a.linkLocal;
  });
}

std::vector<InterfaceAddress> systemInterfaceAddresses() {
  std::vector<InterfaceAddress> result;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return result;
  for (const ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr) continue;
    InterfaceAddress a;
    if (i->ifa_addr->sa_family == AF_INET) {
      const auto* in = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
      const uint32_t host = ntohl(in->sin_addr.s_addr);
      a.linkLocal = (host >> 16) == 0xA9FE;  // 169.254/16
    } else if (i->ifa_addr->sa_family == AF_INET6) {
      const auto* in6 = reinterpret_cast<const sockaddr_in6*>(i->ifa_addr);
      a.linkLocal = IN6_IS_ADDR_LINKLOCAL(&in6->sin6_addr);
    } else {
      continue;  // link-layer entries carry no address
    }
    a.name = QString::fromLocal8Bit(i->ifa_name);
    a.up = (i->ifa_flags & IFF_UP) != 0;
    a.running = (i->ifa_flags & IFF_RUNNING) != 0;
    a.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
    result.push_back(a);
  }
  freeifaddrs(list);
  return result;
}

bool systemIsOnline() {
  return anyConnectedInterface(systemInterfaceAddresses());
}
