// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/archiv.h"

#include "ui/shared/widgetfactory.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <stdexcept>

#include "common/folders.h"
#include "common/settings.h"
#include "core/evaluation.h"
#include "core/text.h"
#include "ui/archiv/archivmodels.h"
#include "ui/archiv/archivstatistik.h"
#include "ui/archiv/programarchive.h"
#include "ui/archiv/uebernahme.h"
#include "ui/shared/guard.h"
#include "ui/shared/onscreen.h"
#include "ui/shared/prompter.h"
#include "ui/shared/shortcuts.h"

QPointer<TFArchiv> FArchiv;

namespace {
constexpr int kRowHeight = 18;
enum Page { ListPage, CheckPage, StatisticsPage };

QTableView* tableView(const QString& name, const QString& title, QAbstractItemModel* model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(name);
  view->setAccessibleName(title);
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setWordWrap(false);
  view->setAlternatingRowColors(true);
  view->verticalHeader()->hide();
  // Fixed row heights keep the view from measuring every row: ten thousand draws open at once.
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(kRowHeight);
  view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft);
  view->horizontalHeader()->setStretchLastSection(true);
  return view;
}

QString failedWrite(const QString& path) {
  return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
      .arg(QDir::toNativeSeparators(path));
}

void writeFile(const QString& path, const QByteArray& bytes) {
  try {
    WriteFileAtomically(path, bytes);
  } catch (const std::exception&) {
    throw std::runtime_error(failedWrite(path).toStdString());
  }
}

QString drawCount(qsizetype n) {
  return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? QStringLiteral("Ziehung") : QStringLiteral("Ziehungen"));
}
}  // namespace

TFArchiv::TFArchiv(const LotteryCheck& check, QWidget* parent)
    : QWidget(parent, Qt::Window),
      check_(check),
      draws_(new DrawListModel(this)),
      allDraws_(new AllDrawsModel(this)) {
  setObjectName(QStringLiteral("FArchiv"));
  setWindowTitle(QStringLiteral("Ziehungsarchiv"));
  setAttribute(Qt::WA_DeleteOnClose);
  FArchiv = this;

  auto* root = new QVBoxLayout(this);
  auto* filter = new QHBoxLayout;
  auto* yearCaption = new QLabel(QStringLiteral("&Jahr:"), this);
  cbJahr_ = new QComboBox(this);
  cbJahr_->setObjectName(QStringLiteral("CBJahr"));
  cbJahr_->setMinimumContentsLength(10);
  yearCaption->setBuddy(cbJahr_);
  cbLose_ = new QCheckBox(QStringLiteral("Beim Laden auch die L&ose in den Losbereich"), this);
  cbLose_->setObjectName(QStringLiteral("cbLose"));
  filter->addWidget(yearCaption);
  filter->addWidget(cbJahr_);
  filter->addSpacing(20);
  filter->addWidget(cbLose_);
  filter->addStretch(1);
  root->addLayout(filter);

  tcArchiv_ = new QTabWidget(this);
  tcArchiv_->setObjectName(QStringLiteral("TCArchiv"));
  tcArchiv_->addTab(buildListPage(), QStringLiteral("&Ziehungen"));
  tcArchiv_->addTab(buildCheckPage(), QStringLiteral("Lose &gegen alle Ziehungen"));
  statistics_ = new ArchiveStatistics(draws_, tcArchiv_);
  statistics_->setObjectName(QStringLiteral("TSStatistik"));
  tcArchiv_->addTab(statistics_, QStringLiteral("S&tatistik"));
  root->addWidget(tcArchiv_, 1);

  auto* commands = new QHBoxLayout;
  const auto add = [&](const char* name, const QString& caption, const QString& hint,
                       void (TFArchiv::*handler)(), const QList<QKeySequence>& keys) {
    QPushButton* b = addButton(name, caption, hint, handler);
    commands->addWidget(b);
    if (!keys.isEmpty()) AddButtonShortcut(this, b, keys);
  };
  add("BLaden", QStringLiteral("Laden"),
      QStringLiteral("Die Zahlen der gewählten Ziehung auf das Zahlenbrett"), &TFArchiv::BLadenClick,
      {QKeySequence(Qt::CTRL | Qt::Key_L)});
  add("BLoeschen", QStringLiteral("Löschen"),
      QStringLiteral("Die gewählten Ziehungen aus dem Archiv löschen"), &TFArchiv::BLoeschenClick,
      {QKeySequence(Qt::Key_Delete)});
  add("BCsv", QStringLiteral("Als CSV speichern..."),
      QStringLiteral("Alle Ziehungen des Archivs als CSV-Datei"), &TFArchiv::BCsvClick,
      {QKeySequence(Qt::CTRL | Qt::Key_S)});
  add("BSichern", QStringLiteral("Archiv sichern..."),
      QStringLiteral("Eine Kopie des ganzen Archivs speichern"), &TFArchiv::BSichernClick,
      {QKeySequence(Qt::CTRL | Qt::Key_B)});
  add("BUebernehmen", QStringLiteral("Aus Dateien übernehmen..."),
      QStringLiteral("Gewinnzahlen-Dateien eines Ordners als Ziehungen übernehmen"),
      &TFArchiv::BUebernehmenClick, {QKeySequence(Qt::CTRL | Qt::Key_I)});
  add("BPruefen", QStringLiteral("Lose gegen alle Ziehungen prüfen"),
      QStringLiteral("Die Lose des Hauptfensters gegen jede gelistete Ziehung prüfen"),
      &TFArchiv::BPruefenClick, {QKeySequence(Qt::Key_F5)});
  commands->addStretch(1);
  auto* close = new QPushButton(QStringLiteral("Schließen"), this);
  close->setObjectName(QStringLiteral("BSchliessen"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  commands->addWidget(close);
  AddButtonShortcut(this, close, {QKeySequence(Qt::Key_Escape)});
  root->addLayout(commands);

  // Connected first: a stored tab "Statistik" shows its charts at once.
  connect(cbJahr_, &QComboBox::currentIndexChanged, this, [this] { runGuarded([this] { readList(); }); });
  connect(tcArchiv_, &QTabWidget::currentChanged, this, [this](int page) {
    runGuarded([&] {
      updateCommands();
      if (page == StatisticsPage) showStatistics();
    });
  });
  connect(statistics_, &ArchiveStatistics::saveRequested, this,
          [this](bool pdf) { runGuarded([&] { saveChart(pdf); }); });
  runGuarded([this] { FormCreate(); });
  // The list has the focus when the window opens, so the arrow keys and Enter work at once.
  gZiehungen_->setFocus(Qt::OtherFocusReason);
}

TFArchiv::~TFArchiv() = default;

QPushButton* TFArchiv::addButton(const char* name, const QString& caption, const QString& hint,
                                 void (TFArchiv::*handler)()) {
  auto* b = Widgets::Button(this, QString::fromLatin1(name), caption);
  b->setToolTip(hint);
  connect(b, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
  buttons_ << b;
  return b;
}

QWidget* TFArchiv::buildListPage() {
  auto* page = new QWidget(this);
  auto* l = new QVBoxLayout(page);
  gZiehungen_ = tableView(QStringLiteral("GZiehungen"), QStringLiteral("Ziehungen"), draws_, page);
  gZiehungen_->setSelectionBehavior(QAbstractItemView::SelectRows);
  gZiehungen_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  gZiehungen_->setColumnWidth(DrawListModel::Date, 90);
  gZiehungen_->setColumnWidth(DrawListModel::Name, 130);
  gZiehungen_->setColumnWidth(DrawListModel::Numbers, 430);
  for (int c = DrawListModel::Tickets; c <= DrawListModel::Class3; ++c) gZiehungen_->setColumnWidth(c, 50);
  // Enter or a double click loads the draw, as "Laden" does.
  connect(gZiehungen_, &QAbstractItemView::activated, this, [this] { BLadenClick(); });
  lAnzahl_ = new QLabel(page);
  lAnzahl_->setObjectName(QStringLiteral("LAnzahl"));
  l->addWidget(gZiehungen_, 1);
  l->addWidget(lAnzahl_);
  return page;
}

QWidget* TFArchiv::buildCheckPage() {
  auto* page = new QWidget(this);
  auto* l = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  lPruefung_ =
      new QLabel(QStringLiteral("Noch nicht geprüft: „Lose gegen alle Ziehungen prüfen“ prüft die Lose "
                                "des Hauptfensters gegen jede gelistete Ziehung."),
                 page);
  lPruefung_->setObjectName(QStringLiteral("LPruefung"));
  lPruefung_->setWordWrap(true);
  cbNurGewinner_ = new QCheckBox(QStringLiteral("&Nur Lose mit Gewinn"), page);
  cbNurGewinner_->setObjectName(QStringLiteral("cbNurGewinner"));
  top->addWidget(lPruefung_, 1);
  top->addWidget(cbNurGewinner_);
  l->addLayout(top);
  gPruefung_ =
      tableView(QStringLiteral("GPruefung"), QStringLiteral("Lose gegen alle Ziehungen"), allDraws_, page);
  gPruefung_->setSelectionMode(QAbstractItemView::SingleSelection);
  gPruefung_->horizontalHeader()->setStretchLastSection(false);
  gPruefung_->horizontalHeader()->setDefaultSectionSize(80);
  connect(allDraws_, &QAbstractItemModel::modelReset, this, [this] {
    if (allDraws_->columnCount() > 1) gPruefung_->setColumnWidth(1, 230);
  });
  // Enter or a double click: the ticket with that draw on the board.
  connect(gPruefung_, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { runGuarded([&] { checkActivated(index); }); });
  connect(cbNurGewinner_, &QCheckBox::toggled, allDraws_, &AllDrawsModel::setOnlyWinners);
  l->addWidget(gPruefung_, 1);
  return page;
}

void TFArchiv::FormCreate() {
  const QRect place = Settings::geometry(Setting::kArchivePlace);
  move(ReachablePosition(place.topLeft(), Setting::kArchivePlace.fallback().topLeft()));
  resize(std::clamp(place.width(), 500, 4000), std::clamp(place.height(), 300, 3000));
  cbLose_->setChecked(Settings::get(Setting::kArchiveLoadTickets));
  folder_ = Settings::get(Setting::kArchiveFolder);
  statistics_->setChart(Settings::get(Setting::kArchiveChart));
  // refresh() keeps the year chosen, and falls back to every year when the archive has none of it.
  const int year = Settings::get(Setting::kArchiveYear);
  if (year > 0) {
    const QSignalBlocker block(cbJahr_);
    cbJahr_->addItem(QString::number(year), year);
  }
  const int page = std::clamp(Settings::get(Setting::kArchivePage), 0, tcArchiv_->count() - 1);
  refresh();
  // The check against all draws is not kept: its tab opens empty, so the list is shown instead.
  tcArchiv_->setCurrentIndex(page == CheckPage ? ListPage : page);
}

void TFArchiv::closeEvent(QCloseEvent* event) {
  runGuarded([this] {
    Settings::setGeometry(Setting::kArchivePlace, QRect(pos(), size()));
    Settings::set(Setting::kArchiveYear, year());
    Settings::set(Setting::kArchivePage, tcArchiv_->currentIndex());
    Settings::set(Setting::kArchiveChart, statistics_->chart());
    Settings::set(Setting::kArchiveLoadTickets, cbLose_->isChecked());
    Settings::set(Setting::kArchiveFolder, folder_);
  });
  event->accept();
}

int TFArchiv::year() const {
  return cbJahr_->currentData().toInt();
}

void TFArchiv::setYear(int year) {
  const int index = cbJahr_->findData(year);
  cbJahr_->setCurrentIndex(index >= 0 ? index : 0);
}

DrawRange TFArchiv::range() const {
  const int y = year();
  return y > 0 ? DrawRange::year(y) : DrawRange{};
}

QString TFArchiv::rangeText() const {
  const int y = year();
  return y > 0 ? QStringLiteral(" im Jahr %1").arg(y) : QString();
}

void TFArchiv::refresh() {
  Archive* archive = ProgramArchive();
  QList<int> years;
  if (archive) ReportArchiveFault(archive->years(years));
  const int chosen = year();
  {
    // The list is read once, after the years are in place.
    const QSignalBlocker block(cbJahr_);
    cbJahr_->clear();
    cbJahr_->addItem(QStringLiteral("alle Jahre"), 0);
    for (int y : years) cbJahr_->addItem(QString::number(y), y);
    const int index = cbJahr_->findData(chosen);
    cbJahr_->setCurrentIndex(index >= 0 ? index : 0);
  }
  readList();
  updateCommands();
}

void TFArchiv::updateCommands() {
  Archive* archive = ProgramArchive();
  const bool writable = archive && !archive->isReadOnly();
  const bool onList = tcArchiv_->currentIndex() == ListPage;
  // Laden and Löschen act on the rows of the list: on the other tabs they would act unseen.
  button("BLaden")->setEnabled(onList);
  button("BLoeschen")->setEnabled(onList && writable);
  button("BUebernehmen")->setEnabled(writable);
}

QPushButton* TFArchiv::button(const char* name) const {
  for (QPushButton* b : buttons_)
    if (b->objectName() == QLatin1String(name)) return b;
  throw std::logic_error(name);
}

void TFArchiv::readList() {
  QList<DrawSummary> list;
  if (Archive* archive = ProgramArchive()) ReportArchiveFault(archive->list(range(), list));
  draws_->setDraws(std::move(list));
  lAnzahl_->setText(drawCount(draws_->rowCount()) + rangeText());
  if (draws_->rowCount() > 0) gZiehungen_->setCurrentIndex(draws_->index(0, 0));
  statisticsStale_ = true;
  if (tcArchiv_->currentIndex() == StatisticsPage) showStatistics();
}

void TFArchiv::showStatistics() {
  if (!statisticsStale_) return;
  NumberStatistics numbers;
  if (Archive* archive = ProgramArchive()) ReportArchiveFault(archive->statistics(range(), numbers));
  statistics_->showDraws(numbers);
  statisticsStale_ = false;
}

void TFArchiv::BLadenClick() {
  runGuarded([this] {
    const QModelIndex current = gZiehungen_->currentIndex();
    if (!current.isValid()) {
      Prompter::current().information(QStringLiteral("Bitte zuerst eine Ziehung in der Liste wählen."));
      return;
    }
    const DrawSummary& summary = draws_->draw(current.row());
    const bool withTickets = cbLose_->isChecked() && summary.tickets > 0;
    ArchiveDraw draw;
    if (withTickets) {
      Archive* archive = ProgramArchive();
      if (!archive || !ReportArchiveFault(archive->load(summary.id, draw))) return;
    } else {
      draw.id = summary.id;
      draw.date = summary.date;
      draw.name = summary.name;
      draw.numbers = summary.numbers;
    }
    emit loadRequested(draw, withTickets);
  });
}

void TFArchiv::BLoeschenClick() {
  runGuarded([this] {
    QList<int> rows;
    for (const QModelIndex& index : gZiehungen_->selectionModel()->selectedRows()) rows << index.row();
    if (rows.isEmpty() && gZiehungen_->currentIndex().isValid()) rows << gZiehungen_->currentIndex().row();
    if (rows.isEmpty()) {
      Prompter::current().information(QStringLiteral("Bitte zuerst eine Ziehung in der Liste wählen."));
      return;
    }
    const DrawSummary& first = draws_->draw(rows.first());
    const QString question =
        rows.size() == 1
            ? QStringLiteral("Die Ziehung %1 aus dem Archiv löschen?").arg(DrawTitle(first.date, first.name))
            : QStringLiteral("Die %1 gewählten Ziehungen aus dem Archiv löschen?").arg(rows.size());
    if (!Prompter::current().confirm(question)) return;
    Archive* archive = ProgramArchive();
    if (!archive) return;
    QList<qint64> ids;
    for (int row : rows) ids << draws_->draw(row).id;
    for (qint64 id : ids)
      if (!ReportArchiveFault(archive->remove(id))) break;
    refresh();
  });
}

QString TFArchiv::proposeFolder() const {
  return !folder_.isEmpty() && QFileInfo(folder_).isDir() ? folder_ : BaseDir();
}

void TFArchiv::folderUsed(const QString& path) {
  folder_ = QFileInfo(path).absolutePath();
}

void TFArchiv::BCsvClick() {
  runGuarded([this] {
    Archive* archive = ProgramArchive();
    if (!archive) return;
    const QString path = Prompter::current().saveFileName(
        QStringLiteral("Ziehungen als CSV speichern"), QStringLiteral("CSV-Datei|*.csv"),
        QStringLiteral("csv"), proposeFolder(), QStringLiteral("ziehungen.csv"), true);
    if (path.isEmpty()) return;
    QList<DrawSummary> all;
    if (!ReportArchiveFault(archive->list({}, all))) return;
    writeFile(path, DrawsCsv(all));
    folderUsed(path);
  });
}

void TFArchiv::BSichernClick() {
  runGuarded([this] {
    Archive* archive = ProgramArchive();
    if (!archive) return;
    const QString proposed =
        QStringLiteral("archiv-sicherung-%1.db").arg(QDate::currentDate().toString(Qt::ISODate));
    const QString path = Prompter::current().saveFileName(
        QStringLiteral("Archiv sichern"), QStringLiteral("Archiv-Sicherung|*.db"), QStringLiteral("db"),
        proposeFolder(), proposed, true);
    if (path.isEmpty()) return;
    if (QFileInfo(path).absoluteFilePath() == QFileInfo(archive->path()).absoluteFilePath()) {
      Prompter::current().warning(
          QStringLiteral("Die Sicherung braucht einen anderen Namen als das Archiv selbst."));
      return;
    }
    if (!ReportArchiveFault(archive->backup(path))) return;
    folderUsed(path);
    Prompter::current().information(
        QStringLiteral("Das Archiv wurde nach „%1“ gesichert.").arg(QDir::toNativeSeparators(path)));
  });
}

void TFArchiv::BUebernehmenClick() {
  runGuarded([this] {
    Archive* archive = ProgramArchive();
    if (!archive) return;
    const QString path = Prompter::current().openFileName(
        QStringLiteral("Gewinnzahlen-Dateien übernehmen: eine Datei des Ordners wählen"),
        QStringLiteral("Gewinnzahlen-Dateien|*.zfgz"), QStringLiteral("zfgz"), NumbersDir());
    if (path.isEmpty()) return;
    const QString folder = QFileInfo(path).absolutePath();
    auto* dialog = new TFUebernahme(folder, ReadImportCandidates(folder, *archive), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { runGuarded([&] { storeImported(dialog->chosen()); }); });
    dialog->open();
  });
}

void TFArchiv::storeImported(const QList<ImportCandidate>& chosen) {
  Archive* archive = ProgramArchive();
  if (!archive || chosen.isEmpty()) return;
  int stored = 0;
  for (const ImportCandidate& c : chosen) {
    ArchiveDraw draw;
    draw.date = c.date;
    draw.name = c.name;
    draw.numbers = c.numbers;
    if (!ReportArchiveFault(archive->store(draw, c.exists))) break;
    ++stored;
  }
  refresh();
  Prompter::current().information(stored == 1
                                      ? QStringLiteral("1 Ziehung wurde übernommen.")
                                      : QStringLiteral("%1 Ziehungen wurden übernommen.").arg(stored));
}

void TFArchiv::BPruefenClick() {
  runGuarded([this] {
    const TicketList& tickets = check_.tickets();
    if (tickets.count() == 0) {
      Prompter::current().information(
          QStringLiteral("Es sind keine Lose geladen. Bitte erst im Hauptfenster Lose einlesen."));
      return;
    }
    Archive* archive = ProgramArchive();
    if (!archive) return;
    QList<DrawSummary> draws;
    if (!ReportArchiveFault(archive->drawNumbers(range(), draws))) return;
    if (draws.isEmpty()) {
      Prompter::current().information(QStringLiteral("Im Archiv gibt es keine Ziehung%1.").arg(rangeText()));
      return;
    }
    // A hundred thousand tickets against a thousand draws take a few tenths of a second.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    allDraws_->check(tickets, std::move(draws));
    checkedTickets_ = tickets.count();
    const int n = allDraws_->ticketCount(), winners = allDraws_->winnerCount();
    lPruefung_->setText(QStringLiteral("%1 %2 gegen %3%4 geprüft: %5 %6 mindestens einmal gewonnen.")
                            .arg(n)
                            .arg(n == 1 ? QStringLiteral("Los") : QStringLiteral("Lose"))
                            .arg(drawCount(allDraws_->drawCount()))
                            .arg(rangeText())
                            .arg(winners)
                            .arg(winners == 1 ? QStringLiteral("Los hat") : QStringLiteral("Lose haben")));
    tcArchiv_->setCurrentIndex(CheckPage);
    gPruefung_->setFocus(Qt::OtherFocusReason);
    if (allDraws_->rowCount() > 0) gPruefung_->setCurrentIndex(allDraws_->index(0, 1));
  });
}

void TFArchiv::checkActivated(const QModelIndex& index) {
  const int ticket = allDraws_->ticketOfRow(index.row());
  if (ticket < 0) return;
  if (check_.tickets().count() != checkedTickets_) {
    Prompter::current().information(QStringLiteral(
        "Die Lose im Hauptfenster haben sich seit der Prüfung geändert. Bitte noch einmal prüfen."));
    return;
  }
  // The ticket's own columns lead to the first draw it won in.
  int draw = allDraws_->drawOfColumn(index.column());
  if (draw < 0) draw = allDraws_->firstWinOf(ticket);
  if (draw < 0) draw = allDraws_->drawCount() - 1;
  emit ticketRequested(ticket, allDraws_->draw(draw));
}

void TFArchiv::saveChart(bool pdf) {
  const QString suffix = pdf ? QStringLiteral("pdf") : QStringLiteral("png");
  const QString path = Prompter::current().saveFileName(
      pdf ? QStringLiteral("Diagramm als PDF speichern") : QStringLiteral("Diagramm als PNG speichern"),
      pdf ? QStringLiteral("PDF-Dokument|*.pdf") : QStringLiteral("PNG-Bild|*.png"), suffix, proposeFolder(),
      (statistics_->chart() == ArchiveStatistics::Frequency ? QStringLiteral("haeufigkeit.")
                                                            : QStringLiteral("gewinner.")) +
          suffix,
      true);
  if (path.isEmpty()) return;
  writeFile(path, pdf ? statistics_->pdf() : statistics_->png());
  folderUsed(path);
}
