// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "core/fault.h"
#include "core/ticket.h"

// Fills the 25 cells of an entry frame from pasted text (CR LF lines): ", " or "," become line breaks;
// with a TAB anywhere, each TAB line fills the next row (at most five); otherwise one number per line
// goes into the first free (exactly empty) cell; a number that finds none, one outside 1..75 and one
// given twice are reported as faults (NoFreeCell, InvalidNumber, DuplicateNumber). text becomes the
// field's new text.
void TransferLosText(QString& text, TicketCells& cells, const std::function<void(const Fault&)>& error);
