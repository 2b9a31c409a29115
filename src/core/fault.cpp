// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/fault.h"

#include "core/text.h"

QString FaultText(const Fault& fault) {
  switch (fault.kind) {
    case Fault::Kind::InvalidNumber:
      return QStringLiteral("Zahl %1 ist ungültig.").arg(fault.item);
    case Fault::Kind::DuplicateNumber:
      return QStringLiteral("Zahl %1 ist doppelt.").arg(fault.item);
    case Fault::Kind::NoFreeCell:
      return QStringLiteral("Alle Felder belegt!\r\r%1 konnte nicht eingetragen werden.").arg(fault.item);
    case Fault::Kind::NotAnInteger:
      return InvalidIntegerMessage(fault.item) + QLatin1Char('.');
  }
  return fault.item;
}
