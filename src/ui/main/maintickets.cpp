// SPDX-License-Identifier: GPL-3.0-or-later
// Tickets and their evaluation on the main window: reading a ticket file into frames, removing all
// frames, and the evaluation with its result tables.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <utility>

#include "core/ticketfile.h"
#include "ui/main/main.h"
#include "ui/main/resultmodel.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/prompter.h"

void TFMain::LosBauen() {
  runGuarded([this] {
    TicketList one;
    one.append(TicketCells{});
    check_.addTickets(one);
    noteTicketSource(QString(), 1);
    ticketView_->ticketsChanged();
  });
}

void TFMain::BOpenClick() {
  runGuarded([this] {
    const QString path = Prompter::current().openFileName(
        QStringLiteral("Lose-Dateien einlesen"), QStringLiteral("Lose-Dateien|*.lose"),
        QStringLiteral("lose"), FileHistory::ticketFolder());
    if (path.isEmpty()) return;
    readTicketFile(path, rebuildTicketsBox_->isChecked());
  });
}

void TFMain::readTicketFile(const QString& path, bool replaceShown) {
  // The file is read and checked before anything shown is removed: a file that cannot be read or
  // is refused leaves the window as it was.
  TicketList tickets = ReadTicketFile(path);
  FileHistory::ticketFileUsed(path);
  const QString name = QFileInfo(path).fileName();
  if (tickets.count() == 0) {
    Prompter::current().warning(EmptyTicketFileMessage(name));
    return;
  }
  if (replaceShown && LosCount() > 0) removeTickets();
  const int invalidCells = tickets.invalidCellCount();
  noteTicketSource(name, tickets.count());
  // Handed over rather than copied: a million tickets would otherwise be held twice for a moment.
  check_.addTickets(std::move(tickets));
  ticketFileLabel_->setText(name);
  ticketView_->ticketsChanged();
  if (invalidCells > 0) Prompter::current().warning(InvalidCellsWarning(name, invalidCells));
}

void TFMain::noteTicketSource(const QString& fileName, int count) {
  // Blank tickets made here come from no file; a run of them is one entry.
  const QString name = fileName.isEmpty() ? QStringLiteral("(ohne Datei)") : fileName;
  if (fileName.isEmpty() && !ticketFiles_.isEmpty() && ticketFiles_.last().name == name)
    ticketFiles_.last().tickets += count;
  else
    ticketFiles_.append({name, count});
}

void TFMain::removeTickets() {
  check_.clearTickets();
  ticketFiles_.clear();
  ticketFileLabel_->clear();
  ticketView_->ticketsChanged();
  overviewFollows();
}

void TFMain::BDelLoseClick() {
  runGuarded([this] { removeTickets(); });
}

void TFMain::evaluate() {
  if (!check_.evaluate()) return;
  resultModel_->refresh();
  totalsModel_->refresh();
  ticketView_->cellsChanged();
  overviewFollows();
}

void TFMain::BAuswertenClick() {
  runGuarded([this] { evaluate(); });
}
