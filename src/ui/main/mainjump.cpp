// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's side of the overview: opening it, following the evaluations, and going to a
// ticket from the overview, the result table or the keyboard.
#include <QBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTableView>

#include "core/text.h"
#include "ui/ansage/overviewannounce.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"
#include "ui/shared/formexists.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"
#include "ui/uebersicht/berichtdatei.h"
#include "ui/uebersicht/uebersicht.h"

namespace {
void onKey(TFMain* w, const QKeySequence& key, std::function<void()> handler) {
  auto* s = new QShortcut(key, w);
  QObject::connect(s, &QShortcut::activated, w, [handler = std::move(handler)] { runGuarded(handler); });
}
}  // namespace

void TFMain::wireOverview() {
  onKey(this, QKeySequence(Qt::Key_F2), [this] { BUebersichtClick(); });
  onKey(this, QKeySequence(Qt::Key_F3), [this] { nextWinner(1); });
  onKey(this, QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { nextWinner(-1); });
  onKey(this, QKeySequence(Qt::CTRL | Qt::Key_G), [this] { askTicketNumber(); });
  onKey(this, QKeySequence::Print, [this] { ReportFiles::showPrintPreview(this, check_); });
  // Model row r of the result table is ticket r; the empty rows before the first evaluation lead nowhere.
  connect(resultTable_, &QTableView::clicked, this, [this](const QModelIndex& index) {
    runGuarded([&] {
      if (index.row() < int(check_.resultClasses().size())) jumpToTicket(index.row());
    });
  });
}

void TFMain::BUebersichtClick() {
  runGuarded([this] {
    TFUebersicht* window = FormExists(QStringLiteral("FUebersicht")) ? FUebersicht : nullptr;
    if (window) {
      window->showNormal();
    } else {
      window = new TFUebersicht(check_, this);
      connect(window, &TFUebersicht::ticketRequested, this, [this](int index) { jumpToTicket(index); });
      connect(window, &TFUebersicht::numberRequested, this, [this](int n) {
        if (TBZahl* b = Button(n)) {
          activateWindow();
          b->setFocus(Qt::OtherFocusReason);
        }
      });
      connect(window, &TFUebersicht::showMissingChanged, ticketView_, &TicketView::setShowMissing);
      AddAnnouncementControls(window, qobject_cast<QVBoxLayout*>(window->layout()), window->commandRow(),
                              *announcements_);
      ticketView_->setShowMissing(window->showsMissing());
    }
    window->show();
    window->raise();
    window->activateWindow();
  });
}

void TFMain::overviewFollows() {
  if (FUebersicht) FUebersicht->refresh();
}

void TFMain::jumpToTicket(int index) {
  if (index < 0 || index >= LosCount()) return;
  currentTicket_ = index;
  ticketView_->scrollToTicket(index);
  ticketView_->markTicket(index);
}

void TFMain::nextWinner(int step) {
  const int count = std::min(LosCount(), int(check_.resultClasses().size()));
  const auto& classes = check_.resultClasses();
  int t = currentTicket_;
  if (t < 0 || t >= count) t = step > 0 ? -1 : count;
  for (int tried = 0; tried < count; ++tried) {
    t = (t + step + count) % count;
    if (classes[std::size_t(t)] > 0) {
      jumpToTicket(t);
      return;
    }
  }
  Prompter::current().information(QStringLiteral("Kein Los hat einen Gewinn."));
}

void TFMain::askTicketNumber() {
  const int count = LosCount();
  if (count == 0) {
    Prompter::current().information(QStringLiteral("Es sind keine Lose geladen."));
    return;
  }
  const QString answer = Trimmed(Prompter::current().textInput(
      QStringLiteral("Gehe zu Los"), QStringLiteral("Losnummer (1 bis %1):").arg(count),
      currentTicket_ >= 0 ? QString::number(currentTicket_ + 1) : QString()));
  if (answer.isEmpty()) return;
  int n = 0;
  if (!ParseStrictInt(answer, &n) || n < 1 || n > count) {
    Prompter::current().warning(
        QStringLiteral("„%1“ ist keine Losnummer. Bitte eine Zahl von 1 bis %2 eingeben.")
            .arg(answer)
            .arg(count));
    return;
  }
  jumpToTicket(n - 1);
}
