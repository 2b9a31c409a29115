// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "core/ticket.h"

// Fills the 25 cells of an entry frame from pasted text (CR LF lines): ", " or "," become line breaks;
// with a TAB anywhere, each TAB line fills the next row (at most five); otherwise one number per line
// goes into the first free (exactly empty) cell, with the messages "Alle Felder belegt!\r\rN konnte
// nicht eingetragen werden.", "Zahl N ist ungültig." and "Zahl N ist doppelt.". text becomes the
// field's new text.
void TransferLosText(QString& text, TicketCells& cells, const std::function<void(const QString&)>& error);
