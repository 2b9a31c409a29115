// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

// One address of a network interface, as far as connectivity cares.
struct InterfaceAddress {
  QString name;
  bool up = false;       // administratively up
  bool running = false;  // has a carrier
  bool loopback = false;
  bool linkLocal = false;  // 169.254.0.0/16 or fe80::/10: reaches no further than the local link
};

// Whether any of the addresses belongs to an interface other than loopback that is up and running and
// has an address beyond the local link.
bool anyConnectedInterface(const std::vector<InterfaceAddress>& addresses);

// The IPv4 and IPv6 addresses of this machine's network interfaces (getifaddrs).
std::vector<InterfaceAddress> systemInterfaceAddresses();

// True when the system has a network connection: anyConnectedInterface over the system's addresses.
bool systemIsOnline();
