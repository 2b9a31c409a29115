// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/archivstatistik.h"

#include <QBarSeries>
#include <QBarSet>
#include <QBoxLayout>
#include <QBuffer>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QValueAxis>
#include <algorithm>

#include "ui/archiv/archivmodels.h"

// The figures of the frequency chart: Zahl, gezogen, erwartet; one row per number.
class FrequencyModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void set(const NumberStatistics& s, double expected) {
    beginResetModel();
    stats_ = s;
    expected_ = expected;
    endResetModel();
  }
  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 75; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const int n = index.row() + 1;
    switch (index.column()) {
      case 0:
        return n;
      case 1:
        return stats_.drawn[std::size_t(n)];
      default:
        return QLocale(QLocale::German).toString(expected_, 'f', 1);
    }
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const titles[] = {"Zahl", "gezogen", "erwartet"};
    return section >= 0 && section < 3 ? QString::fromUtf8(titles[section]) : QVariant();
  }

 private:
  NumberStatistics stats_;
  double expected_ = 0;
};

namespace {
const char* const kTitles[] = {"Wie oft jede Zahl gezogen wurde", "Gewinner je Klasse und Ziehung"};

QString times(int n) {
  return QStringLiteral("%1-mal").arg(n);
}

QChartView* chartView(const QString& name, QWidget* parent) {
  auto* view = new QChartView(new QChart, parent);
  view->setObjectName(name);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(360, 240);
  view->chart()->legend()->setAlignment(Qt::AlignBottom);
  return view;
}

QTableView* figureTable(const QString& name, const QString& title, QAbstractItemModel* model,
                        QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(name);
  table->setAccessibleName(title);
  table->setModel(model);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setAlternatingRowColors(true);
  table->verticalHeader()->hide();
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(18);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}
}  // namespace

ArchiveStatistics::ArchiveStatistics(DrawListModel* draws, QWidget* parent)
    : QWidget(parent), draws_(draws), frequency_(new FrequencyModel(this)) {
  auto* root = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  auto* caption = new QLabel(QStringLiteral("&Diagramm:"), this);
  cbDiagramm_ = new QComboBox(this);
  cbDiagramm_->setObjectName(QStringLiteral("CBDiagramm"));
  for (const char* title : kTitles) cbDiagramm_->addItem(QString::fromUtf8(title));
  caption->setBuddy(cbDiagramm_);
  top->addWidget(caption);
  top->addWidget(cbDiagramm_);
  top->addStretch(1);
  auto* png = new QPushButton(QStringLiteral("Als &PNG speichern..."), this);
  png->setObjectName(QStringLiteral("BPng"));
  auto* pdf = new QPushButton(QStringLiteral("Als PD&F speichern..."), this);
  pdf->setObjectName(QStringLiteral("BPdf"));
  top->addWidget(png);
  top->addWidget(pdf);
  root->addLayout(top);
  lStatistik_ = new QLabel(this);
  lStatistik_->setObjectName(QStringLiteral("LStatistik"));
  lStatistik_->setWordWrap(true);
  lStatistik_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  root->addWidget(lStatistik_);

  stack_ = new QStackedWidget(this);
  views_[Frequency] = chartView(QStringLiteral("ChHaeufigkeit"), stack_);
  tables_[Frequency] = figureTable(QStringLiteral("GHaeufigkeit"), QStringLiteral("Häufigkeit der Zahlen"),
                                   frequency_, stack_);
  views_[Winners] = chartView(QStringLiteral("ChGewinner"), stack_);
  tables_[Winners] = figureTable(QStringLiteral("GGewinnerJeZiehung"), QStringLiteral("Gewinner je Ziehung"),
                                 draws_, stack_);
  // The winners' table shows the list's date, name and winner columns only.
  for (int c : {DrawListModel::Numbers, DrawListModel::Tickets, DrawListModel::Files})
    tables_[Winners]->setColumnHidden(c, true);
  for (int c = 0; c < ChartCount; ++c) {
    // A screen reader gets the chart's name and is sent to the table beside it for the figures.
    views_[c]->setAccessibleName(QStringLiteral("Diagramm: ") + QString::fromUtf8(kTitles[c]));
    views_[c]->setAccessibleDescription(QStringLiteral("Die Werte stehen in der Tabelle daneben."));
    stack_->addWidget(page(views_[c], tables_[c]));
  }
  root->addWidget(stack_, 1);

  // Frequency: 75 bars and the expected count as a level line across them.
  QChart* f = views_[Frequency]->chart();
  auto* bars = new QBarSeries(f);
  auto* drawn = new QBarSet(QStringLiteral("gezogen"));
  drawn->append(QList<qreal>(75, 0));
  bars->append(drawn);
  bars->setBarWidth(0.8);
  auto* expected = new QLineSeries(f);
  expected->setName(QStringLiteral("erwartet"));
  expected->append({QPointF(-0.5, 0), QPointF(74.5, 0)});
  f->addSeries(bars);
  f->addSeries(expected);
  // 75 labels do not fit under the bars; every tenth number is named, at its bar.
  auto* numbersAxis = new QCategoryAxis(f);
  numbersAxis->setRange(-0.5, 74.5);
  numbersAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  for (int n : {1, 10, 20, 30, 40, 50, 60, 70, 75}) numbersAxis->append(QString::number(n), n - 1);
  numbersAxis->setGridLineVisible(false);
  auto* countAxis = new QValueAxis(f);
  countAxis->setLabelFormat(QStringLiteral("%d"));
  f->addAxis(numbersAxis, Qt::AlignBottom);
  f->addAxis(countAxis, Qt::AlignLeft);
  for (QAbstractSeries* s : f->series()) {
    s->attachAxis(numbersAxis);
    s->attachAxis(countAxis);
  }

  // Winners: one line per class over the draws' dates.
  QChart* w = views_[Winners]->chart();
  auto* dates = new QDateTimeAxis(w);
  dates->setFormat(QStringLiteral("dd.MM.yyyy"));
  auto* winners = new QValueAxis(w);
  winners->setLabelFormat(QStringLiteral("%d"));
  w->addAxis(dates, Qt::AlignBottom);
  w->addAxis(winners, Qt::AlignLeft);
  for (int c = 1; c <= 3; ++c) {
    auto* line = new QLineSeries(w);
    line->setName(QStringLiteral("%1 x").arg(c));
    w->addSeries(line);
    line->attachAxis(dates);
    line->attachAxis(winners);
  }

  connect(cbDiagramm_, &QComboBox::currentIndexChanged, this, [this](int c) {
    stack_->setCurrentIndex(c);
    lStatistik_->setText(summary());
  });
  connect(png, &QPushButton::clicked, this, [this] { emit saveRequested(false); });
  connect(pdf, &QPushButton::clicked, this, [this] { emit saveRequested(true); });
}

QWidget* ArchiveStatistics::page(QChartView* view, QTableView* table) {
  auto* split = new QSplitter(Qt::Horizontal, stack_);
  split->addWidget(view);
  split->addWidget(table);
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 1);
  split->setChildrenCollapsible(false);
  return split;
}

int ArchiveStatistics::chart() const {
  return cbDiagramm_->currentIndex();
}

void ArchiveStatistics::setChart(int chart) {
  cbDiagramm_->setCurrentIndex(std::clamp(chart, 0, ChartCount - 1));
}

QString ArchiveStatistics::chartTitle() const {
  return QString::fromUtf8(kTitles[chart()]);
}

void ArchiveStatistics::showDraws(const NumberStatistics& numbers) {
  showFrequency(numbers);
  showWinners();
  lStatistik_->setText(summary());
}

void ArchiveStatistics::showFrequency(const NumberStatistics& s) {
  // By chance each number is drawn as often as all numbers drawn, spread evenly over the 75.
  long total = 0;
  int most = 1, least = 1;
  for (int n = 1; n <= 75; ++n) {
    total += s.drawn[std::size_t(n)];
    if (s.drawn[std::size_t(n)] > s.drawn[std::size_t(most)]) most = n;
    if (s.drawn[std::size_t(n)] < s.drawn[std::size_t(least)]) least = n;
  }
  const double expected = double(total) / 75.0;
  frequency_->set(s, expected);
  QChart* chart = views_[Frequency]->chart();
  auto* bars = static_cast<QBarSeries*>(chart->series().at(0));
  QBarSet* set = bars->barSets().at(0);
  for (int n = 1; n <= 75; ++n) set->replace(n - 1, s.drawn[std::size_t(n)]);
  static_cast<QLineSeries*>(chart->series().at(1))
      ->replace({QPointF(-0.5, expected), QPointF(74.5, expected)});
  const int top = std::max<int>(s.drawn[std::size_t(most)], int(expected + 1));
  auto* counts = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(0));
  counts->setRange(0, std::max(1, int(top * 1.1 + 1)));
  counts->applyNiceNumbers();
  QLocale german(QLocale::German);
  frequencySummary_ = s.draws == 0
                          ? QStringLiteral("Keine Ziehungen.")
                          : QStringLiteral(
                                "Über %1 %2: am häufigsten gezogen %3 (%4), am seltensten %5 (%6); erwartet "
                                "je Zahl %7-mal.")
                                .arg(s.draws)
                                .arg(s.draws == 1 ? QStringLiteral("Ziehung") : QStringLiteral("Ziehungen"))
                                .arg(most)
                                .arg(times(s.drawn[std::size_t(most)]))
                                .arg(least)
                                .arg(times(s.drawn[std::size_t(least)]))
                                .arg(german.toString(expected, 'f', 1));
}

void ArchiveStatistics::showWinners() {
  const QList<DrawSummary>& draws = draws_->draws();
  QList<QPointF> points[3];
  std::array<long, 3> sums{};
  int top = 1;
  for (auto& p : points) p.reserve(draws.size());
  // The axis shows local dates. Local time for each of 10,000 dates would ask the C library's time
  // zone each time (a file look-up per call); a day's noon in UTC, moved by today's offset once, lands
  // on the same local date whatever daylight saving does.
  const qint64 offset = qint64(QDateTime::currentDateTime().offsetFromUtc()) * 1000;
  const qint64 epochDay = QDate(1970, 1, 1).toJulianDay();
  constexpr qint64 kDay = 86'400'000;
  const auto noon = [&](const QDate& date) {
    return (date.toJulianDay() - epochDay) * kDay + kDay / 2 - offset;
  };
  // The list is newest first; the chart runs left to right in time.
  for (auto it = draws.crbegin(); it != draws.crend(); ++it) {
    const double x = double(noon(it->date));
    for (int c = 0; c < 3; ++c) {
      const int w = it->winners[std::size_t(c)];
      points[c].append(QPointF(x, w));
      sums[std::size_t(c)] += w;
      top = std::max(top, w);
    }
  }
  QChart* chart = views_[Winners]->chart();
  for (int c = 0; c < 3; ++c) static_cast<QLineSeries*>(chart->series().at(c))->replace(points[c]);
  const QDate first = draws.isEmpty() ? QDate::currentDate() : draws.last().date;
  const QDate last = draws.isEmpty() ? first : draws.first().date;
  // Half a day on either side, a day when there is only one.
  const qint64 margin = first == last ? kDay : kDay / 2;
  chart->axes(Qt::Horizontal)
      .at(0)
      ->setRange(QDateTime::fromMSecsSinceEpoch(noon(first) - margin),
                 QDateTime::fromMSecsSinceEpoch(noon(last) + margin));
  auto* winnersAxis = static_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(0));
  winnersAxis->setRange(0, int(top * 1.1 + 1));
  winnersAxis->applyNiceNumbers();
  winnersSummary_ =
      draws.isEmpty() ? QStringLiteral("Keine Ziehungen.")
                      : QStringLiteral("Über %1 %2: %3 Gewinner mit 1 x, %4 mit 2 x, %5 mit 3 x.")
                            .arg(draws.size())
                            .arg(draws.size() == 1 ? QStringLiteral("Ziehung") : QStringLiteral("Ziehungen"))
                            .arg(sums[0])
                            .arg(sums[1])
                            .arg(sums[2]);
}

QString ArchiveStatistics::summary() const {
  return chart() == Frequency ? frequencySummary_ : winnersSummary_;
}

QByteArray ArchiveStatistics::png() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  views_[chart()]->grab().toImage().save(&buffer, "PNG");
  return bytes;
}

QByteArray ArchiveStatistics::pdf() const {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15)));
    writer.setResolution(150);
    writer.setCreator(QStringLiteral("ZIEHFIX"));
    writer.setTitle(chartTitle());
    QPainter p(&writer);
    const QRect page(0, 0, writer.width(), writer.height());
    QFont heading = p.font();
    heading.setPointSizeF(14);
    heading.setBold(true);
    p.setFont(heading);
    const int headingHeight = p.fontMetrics().height() * 2;
    p.drawText(QRect(0, 0, page.width(), headingHeight), Qt::AlignLeft | Qt::AlignVCenter, chartTitle());
    QFont text = heading;
    text.setPointSizeF(10);
    text.setBold(false);
    p.setFont(text);
    const int textHeight = p.fontMetrics().height() * 2;
    p.drawText(QRect(0, headingHeight, page.width(), textHeight), Qt::AlignLeft | Qt::TextWordWrap,
               summary());
    // The chart as vectors, scaled to the rest of the page.
    views_[chart()]->render(
        &p, QRectF(0, headingHeight + textHeight, page.width(), page.height() - headingHeight - textHeight));
  }
  return bytes;
}
