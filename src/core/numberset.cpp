// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numberset.h"

#include <bit>

namespace {
bool InRange(int v) {
  return v >= 0 && v <= 255;
}
}  // namespace

void NumberSet::include(int v) {
  if (InRange(v)) words_[v >> 6] |= std::uint64_t(1) << (v & 63);
}

void NumberSet::exclude(int v) {
  if (InRange(v)) words_[v >> 6] &= ~(std::uint64_t(1) << (v & 63));
}

bool NumberSet::contains(int v) const {
  return InRange(v) && ((words_[v >> 6] >> (v & 63)) & 1) != 0;
}

void NumberSet::clear() {
  words_ = {};
}

bool NumberSet::isEmpty() const {
  return (words_[0] | words_[1] | words_[2] | words_[3]) == 0;
}

NumberSet NumberSet::intersected(const NumberSet& other) const {
  NumberSet out;
  for (int i = 0; i < 4; ++i) out.words_[i] = words_[i] & other.words_[i];
  return out;
}

int NumberSet::count() const {
  int n = 0;
  for (auto w : words_) n += std::popcount(w);
  return n;
}

std::array<std::uint8_t, 32> NumberSet::bytes() const {
  std::array<std::uint8_t, 32> out{};
  for (int i = 0; i < 32; ++i) out[i] = std::uint8_t(words_[i / 8] >> (8 * (i % 8)));
  return out;
}

int SetCount(const std::uint8_t* bytes, int len) {
  static constexpr int kNibbleBits[16] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4};
  int n = 0;
  for (int i = 0; i < len; ++i) n += kNibbleBits[bytes[i] & 15] + kNibbleBits[bytes[i] >> 4];
  return n;
}
