// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QWidget>

#include "archive/archive.h"

class DrawListModel;
class FrequencyModel;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QStackedWidget;
class QTableView;

// The tab "Statistik" of the archive window. Two charts, drawn by Qt Charts, one shown at a time:
// how often each number 1..75 was drawn over the listed draws, with the count expected by chance as
// a line, and the winners of each class per draw over time. Beside each chart its figures as a table,
// which a screen reader reads cell by cell, and above them a sentence with the main figures.
class ArchiveStatistics : public QWidget {
  Q_OBJECT
 public:
  enum Chart { Frequency, Winners, ChartCount };

  // draws is the archive window's list, whose rows the winners' table shows.
  ArchiveStatistics(DrawListModel* draws, QWidget* parent);

  // Rebuilds both charts from the number counts and the listed draws (newest first).
  void showDraws(const NumberStatistics& numbers);
  int chart() const;
  void setChart(int chart);
  QString chartTitle() const;
  QString summary() const;

  // The shown chart as a PNG picture or a one-page PDF document.
  QByteArray png() const;
  QByteArray pdf() const;

 signals:
  void saveRequested(bool pdf);

 private:
  QWidget* page(QChartView* view, QTableView* table);
  void showFrequency(const NumberStatistics& numbers);
  void showWinners();

  DrawListModel* draws_;
  FrequencyModel* frequency_;
  QComboBox* cbDiagramm_ = nullptr;
  QLabel* lStatistik_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QChartView* views_[ChartCount] = {};
  QTableView* tables_[ChartCount] = {};
  QString frequencySummary_, winnersSummary_;
};
