// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tickets as a player gets them, for the benchmarks: column c holds five distinct numbers of
// 15c+1..15c+15, drawn from a seeded generator so every run measures the same tickets.

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <random>

#include "core/ticket.h"

// The 25 numbers of one ticket, cell 1 first.
inline std::array<int, 25> PlayerTicketNumbers(std::mt19937& rng) {
  std::array<int, 25> numbers{};
  for (int col = 0; col < 5; ++col) {
    int pool[15];
    for (int i = 0; i < 15; ++i) pool[i] = col * 15 + i + 1;
    std::shuffle(pool, pool + 15, rng);
    for (int row = 0; row < 5; ++row) numbers[std::size_t(row * 5 + col)] = pool[row];
  }
  return numbers;
}

inline TicketList PlayerTicketList(int count, unsigned seed) {
  static const auto kTexts = [] {
    std::array<QString, 76> texts;
    for (int n = 1; n <= 75; ++n) texts[std::size_t(n)] = QString::number(n);
    return texts;
  }();
  std::mt19937 rng(seed);
  TicketList list;
  list.reserve(count);
  std::array<QStringView, 25> cells;
  for (int t = 0; t < count; ++t) {
    const std::array<int, 25> numbers = PlayerTicketNumbers(rng);
    for (int c = 0; c < 25; ++c) cells[std::size_t(c)] = kTexts[std::size_t(numbers[std::size_t(c)])];
    list.appendViews(cells);
  }
  return list;
}

// The bytes of a ticket file with count such tickets.
inline QByteArray PlayerTicketFile(int count, unsigned seed = 4711) {
  std::mt19937 rng(seed);
  QByteArray out;
  out.reserve(qsizetype(count) * 5 * 16);
  for (int t = 0; t < count; ++t) {
    const std::array<int, 25> numbers = PlayerTicketNumbers(rng);
    for (int r = 0; r < 5; ++r) {
      for (int c = 0; c < 5; ++c) {
        if (c) out += ',';
        out += QByteArray::number(numbers[std::size_t(r * 5 + c)]);
      }
      out += "\r\n";
    }
  }
  return out;
}
