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
    // Only numbers with a button reach the board.
    FUZZ_CHECK(n >= 1 && n <= 75);
    order.push_back(n);
    if (chosen.contains(n)) {
      chosen.exclude(n);
    } else if (chosen.count() >= 22) {
      messages << QStringLiteral("Sie haben bereits 22 Gewinnzahlen gewählt.");
    } else {
      chosen.include(n);
    }
  }
  void error(const QString& text) override {
    FUZZ_CHECK(!text.isEmpty());
    messages << text;
  }

  void checkInvariants() const {
    FUZZ_CHECK(clears == 1);
    FUZZ_CHECK(chosen.count() <= 22);
    for (int v = 0; v < 256; ++v)
      if (chosen.contains(v)) FUZZ_CHECK(v >= 1 && v <= 75);
  }

  NumberSet chosen;
  std::vector<int> order;
  QStringList messages;
  QString field;
  int clears = 0;
};

}  // namespace fuzz
