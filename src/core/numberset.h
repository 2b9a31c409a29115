// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// A set over the values 0..255, 256 bits. Values outside 0..255 are never members: including one
// changes nothing and testing one yields false.
class NumberSet {
 public:
  void include(int v);
  void exclude(int v);
  bool contains(int v) const;
  void clear();
  bool isEmpty() const;
  NumberSet intersected(const NumberSet& other) const;
  int count() const;  // SetCount of the 32 bytes
  // The 32 bytes, value n at bit n mod 8 of byte n div 8.
  std::array<std::uint8_t, 32> bytes() const;
  bool operator==(const NumberSet&) const = default;

 private:
  std::array<std::uint64_t, 4> words_{};
};

// Number of 1 bits in len bytes (0 for len 0).
int SetCount(const std::uint8_t* bytes, int len);
