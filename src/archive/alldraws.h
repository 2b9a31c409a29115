// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <functional>
#include <vector>

#include "archive/archive.h"
#include "core/linekernel.h"

// Checks tickets against many draws. TicketList already holds the tickets transposed into the
// kernel's blocks, so that is done once; each draw then only runs its numbers over them, reusing the
// result's buffers. visit gets the draw's index in draws and the kernel's result for it.
void CheckAgainstDraws(const TicketList& tickets, const QList<DrawSummary>& draws,
                       const std::function<void(qsizetype, const LineKernelResult&)>& visit);

// Per ticket: in how many of the draws it won ("gewonnen in 3 von 12 Ziehungen").
std::vector<int> WinsPerTicket(const TicketList& tickets, const QList<DrawSummary>& draws);
