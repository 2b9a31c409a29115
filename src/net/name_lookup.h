// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <netdb.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

using LookupFunction = std::function<int(const char*, const char*, const addrinfo*, addrinfo**)>;
using AddressList = std::unique_ptr<addrinfo, void (*)(addrinfo*)>;

// Resolves node and port like getaddrinfo (or the given lookup), but gives up at the deadline with
// "Name lookup timed out". getaddrinfo itself has no time-out, so a lookup that has to ask a name
// server runs on a thread of its own, which is left to finish (and free its result) by itself when
// the time is up. Numeric addresses are resolved at once. idle is called about every 50 ms meanwhile.
AddressList lookupAddresses(const std::string& node, const std::string& port,
                            std::chrono::steady_clock::time_point deadline, const LookupFunction& lookup,
                            const std::function<void()>& idle);
