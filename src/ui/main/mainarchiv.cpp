// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the draw archive: storing the shown draw, opening the archive window, and
// what that window asks for: a draw on the board (with its tickets on request), a ticket with a draw.
#include <QLabel>
#include <QPlainTextEdit>

#include "core/winningnumbers.h"
#include "ui/archiv/archiv.h"
#include "ui/archiv/archivieren.h"
#include "ui/main/main.h"
#include "ui/shared/formexists.h"
#include "ui/shared/guard.h"

void TFMain::BArchivierenClick() {
  runGuarded([this] { ArchiveCurrentDraw(this, check_, ticketFiles_); });
}

void TFMain::BArchivClick() {
  runGuarded([this] {
    TFArchiv* window = FormExists(QStringLiteral("FArchiv")) ? FArchiv : nullptr;
    if (window) {
      window->showNormal();
    } else {
      window = new TFArchiv(check_, this);
      connect(window, &TFArchiv::loadRequested, this, [this](const ArchiveDraw& draw, bool withTickets) {
        runGuarded([&] { loadArchivedDraw(draw, withTickets); });
      });
      connect(window, &TFArchiv::ticketRequested, this, [this](int ticket, const DrawSummary& draw) {
        runGuarded([&] {
          showArchivedNumbers(draw.numbers, DrawTitle(draw.date, draw.name));
          activateWindow();
          jumpToTicket(ticket);
        });
      });
    }
    window->show();
    window->raise();
    window->activateWindow();
  });
}

void TFMain::loadArchivedDraw(const ArchiveDraw& draw, bool withTickets) {
  if (withTickets) {
    // The draw's tickets take the place of the shown ones: its result belongs to exactly these.
    removeTickets();
    check_.addTickets(draw.tickets);
    ticketFiles_ = draw.files;
    QStringList names;
    for (const ArchiveFile& f : draw.files) names << f.name;
    ticketFileLabel_->setText(names.join(QStringLiteral(", ")));
    ticketView_->ticketsChanged();
  }
  showArchivedNumbers(draw.numbers, DrawTitle(draw.date, draw.name));
}

void TFMain::showArchivedNumbers(const QList<int>& numbers, const QString& title) {
  NumberSet set;
  for (int n : numbers) set.include(n);
  // The text a winning-number file of these numbers holds, shown and transferred as such a file is.
  showNumberText(QString::fromUtf8(WinningNumberFileBytes(set, QString())), title);
}
