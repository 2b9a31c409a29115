// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A fault the core finds in what the user typed, pasted or loaded: what went wrong and the text item it
// concerns, as data. The windows show FaultText(fault) and count or list the items; nothing ever has to
// read an item back out of a sentence.
struct Fault {
  enum class Kind {
    InvalidNumber,    // a number outside 1..75
    DuplicateNumber,  // a number a ticket already holds
    NoFreeCell,       // every cell of the ticket is taken
    NotAnInteger,     // a piece that is no integer at all
  };
  Kind kind;
  QString item;  // as the user wrote it (trimmed)

  bool operator==(const Fault&) const = default;
};

// The German sentence shown for a fault.
QString FaultText(const Fault& fault);
