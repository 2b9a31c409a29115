// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uebersicht/uebersicht.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include "common/settings.h"
#include "core/evaluation.h"
#include "ui/shared/guard.h"
#include "ui/shared/onscreen.h"
#include "ui/uebersicht/berichtdatei.h"
#include "ui/uebersicht/uebersichtmodels.h"

QPointer<TFUebersicht> FUebersicht;

namespace {
const QString kName = QStringLiteral("FUebersicht");
constexpr int kRowHeight = 18;
}  // namespace

QString OverviewHeading(const LotteryCheck& check) {
  const NearWins& w = check.nearWins();
  const int winners = w.winnerCount(1) + w.winnerCount(2) + w.winnerCount(3);
  return QStringLiteral(
             "Gewinner: %1 (1 x: %2, 2 x: %3, 3 x: %4) — Es fehlt 1 Zahl: %5 %6 auf %7 %8 — Gewählt: %9")
      .arg(winners)
      .arg(w.winnerCount(1))
      .arg(w.winnerCount(2))
      .arg(w.winnerCount(3))
      .arg(w.nearLines().size())
      .arg(w.nearLines().size() == 1 ? QStringLiteral("Linie") : QStringLiteral("Linien"))
      .arg(w.nearTicketCount())
      .arg(w.nearTicketCount() == 1 ? QStringLiteral("Los") : QStringLiteral("Losen"))
      .arg(check.chosen.count());
}

TFUebersicht::TFUebersicht(const LotteryCheck& check, QWidget* parent)
    : QWidget(parent, Qt::Window), check_(check) {
  setObjectName(kName);
  setWindowTitle(QStringLiteral("Gewinnübersicht"));
  setAttribute(Qt::WA_DeleteOnClose);
  FUebersicht = this;

  auto* root = new QVBoxLayout(this);
  lKopf_ = new QLabel(this);
  lKopf_->setObjectName(QStringLiteral("LKopf"));
  QFont headingFont = lKopf_->font();
  headingFont.setBold(true);
  lKopf_->setFont(headingFont);
  lKopf_->setWordWrap(true);
  root->addWidget(lKopf_);

  commands_ = new QHBoxLayout;
  cbFehlende_ = new QCheckBox(QStringLiteral("Fehlende Zahlen auf den Losen zeigen"), this);
  cbFehlende_->setObjectName(QStringLiteral("cbFehlende"));
  commands_->addWidget(cbFehlende_);
  commands_->addStretch(1);
  ReportFiles::addCommands(this, commands_, check_);
  root->addLayout(commands_);

  auto* lists = new QHBoxLayout;
  winners_ = new WinnerModel(check_.nearWins(), this);
  nearLines_ = new NearLineModel(check_.nearWins(), this);
  waiting_ = new WaitingModel(check_.nearWins(), this);
  gGewinner_ = addList(QStringLiteral("GGewinner"), QStringLiteral("Gewinner"), winners_, lists);
  gFehlt_ = addList(QStringLiteral("GFehlt"), QStringLiteral("Es fehlt 1 Zahl"), nearLines_, lists);
  gWarte_ = addList(QStringLiteral("GWarte"), QStringLiteral("Wartezahlen"), waiting_, lists);
  gGewinner_->setColumnWidth(0, 45);
  gGewinner_->setColumnWidth(1, 45);
  gGewinner_->setColumnWidth(2, 170);
  gFehlt_->setColumnWidth(0, 45);
  gFehlt_->setColumnWidth(1, 85);
  gWarte_->setColumnWidth(0, 205);
  root->addLayout(lists, 1);

  runGuarded([this] { FormCreate(); });
  connect(cbFehlende_, &QCheckBox::toggled, this, &TFUebersicht::showMissingChanged);
  refresh();
}

TFUebersicht::~TFUebersicht() = default;

QTableView* TFUebersicht::addList(const QString& name, const QString& title, OverviewModel* model,
                                  QHBoxLayout* row) {
  auto* column = new QVBoxLayout;
  auto* caption = new QLabel(title, this);
  auto* view = new QTableView(this);
  view->setObjectName(name);
  view->setAccessibleName(title);
  caption->setBuddy(view);
  view->setModel(model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->setAlternatingRowColors(true);
  view->verticalHeader()->hide();
  // Fixed row heights keep the view from measuring every row: a hundred thousand rows open at once.
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(kRowHeight);
  view->horizontalHeader()->setStretchLastSection(true);
  view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
  connect(view, &QAbstractItemView::activated, this,
          [this, view](const QModelIndex& index) { runGuarded([&] { listActivated(view, index); }); });
  column->addWidget(caption);
  column->addWidget(view, 1);
  row->addLayout(column, name == QLatin1String("GFehlt") ? 3 : 4);
  return view;
}

void TFUebersicht::listActivated(QTableView* view, const QModelIndex& index) {
  if (!index.isValid()) return;
  const int value = index.sibling(index.row(), 0).data(Qt::UserRole).toInt();
  if (view == gWarte_)
    emit numberRequested(value);
  else
    emit ticketRequested(value);
}

void TFUebersicht::FormCreate() {
  const QRect fallback = Setting::kOverviewPlace.fallback();
  QRect place = fallback;
  bool missing = Setting::kOverviewShowMissing.fallback;
  if (Settings::fileExists()) {
    place = Settings::geometry(Setting::kOverviewPlace);
    missing = Settings::get(Setting::kOverviewShowMissing);
  }
  move(ReachablePosition(place.topLeft(), fallback.topLeft()));
  resize(std::clamp(place.width(), 300, 4000), std::clamp(place.height(), 200, 3000));
  cbFehlende_->setChecked(missing);
}

void TFUebersicht::refresh() {
  lKopf_->setText(OverviewHeading(check_));
  winners_->refresh();
  nearLines_->refresh();
  waiting_->refresh();
}

bool TFUebersicht::showsMissing() const {
  return cbFehlende_->isChecked();
}

void TFUebersicht::closeEvent(QCloseEvent* event) {
  runGuarded([this] {
    Settings::setGeometry(Setting::kOverviewPlace, QRect(x(), y(), width(), height()));
    Settings::set(Setting::kOverviewShowMissing, cbFehlende_->isChecked());
  });
  // The ticket area shows the missing numbers only while the overview that switches them is open.
  emit showMissingChanged(false);
  event->accept();
}
