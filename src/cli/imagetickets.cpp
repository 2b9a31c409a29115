// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/imagetickets.h"

#include <QFileInfo>
#include <QStringList>
#include <stdexcept>

#include "cli/checkrun.h"
#ifdef ZIEHFIX_HAVE_SCAN
#include "scan/scan.h"
#endif

bool CanReadImages() {
#ifdef ZIEHFIX_HAVE_SCAN
  return true;
#else
  return false;
#endif
}

#ifdef ZIEHFIX_HAVE_SCAN
void AddScannedTickets(const QString& path, const ScanResult& scan, CheckOutcome& outcome) {
  if (scan.tickets.empty()) {
    outcome.messages.append(
        {CheckMessage::Kind::Warning,
         QStringLiteral("Im Bild „%1“ wurde kein Los gefunden.").arg(QFileInfo(path).fileName())});
    return;
  }
  TicketList tickets;
  for (const ScannedTicket& t : scan.tickets) {
    tickets.append(t.cells);
    TicketOrigin origin{path, {}};
    // A grid whose geometry is uncertain may have any of its numbers in the wrong place.
    for (int c = 0; c < 25; ++c)
      if (t.gridDoubtful || t.doubtful[std::size_t(c)]) origin.doubtfulCells.push_back(c + 1);
    outcome.origins.push_back(std::move(origin));
  }
  outcome.check.addTickets(tickets);
}
#endif

void AddTicketsFromImages(const QStringList& paths, CheckOutcome& outcome) {
#ifdef ZIEHFIX_HAVE_SCAN
  for (const QString& path : paths) AddScannedTickets(path, ScanImageFile(path), outcome);
#else
  Q_UNUSED(paths);
  Q_UNUSED(outcome);
  throw std::runtime_error(
      "Dieses ziehfix-check wurde ohne Bilderkennung gebaut und kann keine Bilder lesen.");
#endif
}
