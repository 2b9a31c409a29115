// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "archive/archive.h"
#include "cli/imagetickets.h"
#include "cli/options.h"
#include "core/evaluation.h"
#include "core/report.h"

// Everything one run of the checker found.
struct CheckOutcome {
  LotteryCheck check;                 // tickets, chosen numbers and the evaluation's results
  QString fieldText;                  // the winning-number field after the transfer (CR LF line breaks)
  QList<CheckMessage> messages;       // in the order they arose
  bool near = false;                  // the reports add near lines and waiting numbers
  std::vector<TicketOrigin> origins;  // per ticket, when the tickets come from pictures
  QList<ArchiveFile> files;           // where the tickets came from, in order

  bool hasError() const;
  ReportInput report() const { return {check, fieldText, messages, near, origins}; }
};

// Reads the ticket files in order, transfers the winning numbers as the main window's text transfer
// does, and evaluates. Throws std::runtime_error when a file cannot be read or a ticket file is
// refused; nothing is reported then.
CheckOutcome RunCheck(const CheckerOptions& options);

// Transfers field as the winning-number text, as the main window's text transfer does.
void TransferNumbers(const QString& field, CheckOutcome& outcome);
