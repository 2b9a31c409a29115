// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A number board for the transfer fuzz targets: it refuses what the real board would never get.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/winningnumbers.h"
#include "fuzz_support.h"

namespace fuzz {

class Board : public TransferTarget {
 public:
  void clearAll() override {
    chosen.clear();
    ++clears;
  }
  void setFieldText(const QString& text) override { field = text; }
  void toggle(int n) override {
    // Only numbers with a button reach the board, and none after a conversion error.
    FUZZ_CHECK(n >= 1 && n <= 75);
    FUZZ_CHECK(!stopped);
    order.push_back(n);
    if (chosen.contains(n)) {
      chosen.exclude(n);
    } else if (chosen.count() >= 22) {
      messages << QStringLiteral("Sie haben bereits 22 Gewinnzahlen gewählt.");
    } else {
      chosen.include(n);
    }
  }
  // Every message is one of the transfer's two; a conversion error ends the transfer.
  void error(const Fault& fault) override {
    FUZZ_CHECK(!stopped);
    const bool outOfRange = fault.kind == Fault::Kind::InvalidNumber;
    stopped = fault.kind == Fault::Kind::NotAnInteger;
    FUZZ_CHECK(outOfRange || stopped);
    messages << FaultText(fault);
  }

  void checkInvariants() const { FUZZ_CHECK(clears == 1); }

  NumberSet chosen;
  std::vector<int> order;
  QStringList messages;
  QString field;
  int clears = 0;
  bool stopped = false;
};

}  // namespace fuzz
