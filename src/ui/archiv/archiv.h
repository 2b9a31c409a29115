// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "archive/archive.h"

class AllDrawsModel;
class ArchiveStatistics;
class DrawListModel;
class LotteryCheck;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
struct ImportCandidate;

// The window FArchiv ("Ziehungsarchiv") over the program's archive: the list of draws (newest first,
// filtered by year), the main window's tickets checked against every listed draw, and the statistics.
// Non-modal; it asks the main window, by its signals, to load a draw or to show a ticket with a draw.
// Settings: section "Archiv" (its place, the year, the tab, the chart, "Lose mitladen", the folder of
// its file dialogs), read at creation and written at close.
class TFArchiv : public QWidget {
  Q_OBJECT
 public:
  explicit TFArchiv(const LotteryCheck& check, QWidget* parent = nullptr);
  ~TFArchiv() override;

  // Reads the years and the list again, and the statistics when they are shown.
  void refresh();
  // The year chosen in the filter, 0 for every year.
  int year() const;
  void setYear(int year);
  DrawListModel* draws() const { return draws_; }
  AllDrawsModel* allDraws() const { return allDraws_; }

  // The commands, as their buttons run them.
  void BLadenClick();
  void BLoeschenClick();
  void BCsvClick();
  void BSichernClick();
  void BUebernehmenClick();
  void BPruefenClick();

 signals:
  // "Laden": the draw's numbers onto the board; with its tickets when withTickets (draw.tickets then
  // holds them, with draw.files naming where they came from).
  void loadRequested(const ArchiveDraw& draw, bool withTickets);
  // A ticket of the check against all draws, to be shown with that draw's numbers on the board.
  void ticketRequested(int ticket, const DrawSummary& draw);

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose

 private:
  void FormCreate();
  QWidget* buildListPage();
  QWidget* buildCheckPage();
  QPushButton* addButton(const char* name, const QString& caption, const QString& hint,
                         void (TFArchiv::*handler)());
  DrawRange range() const;
  QString rangeText() const;
  void readList();
  void showStatistics();
  void saveChart(bool pdf);
  void checkActivated(const QModelIndex& index);
  void storeImported(const QList<ImportCandidate>& chosen);
  void updateCommands();
  QPushButton* button(const char* name) const;
  QString proposeFolder() const;
  void folderUsed(const QString& path);

  const LotteryCheck& check_;
  DrawListModel* draws_;
  AllDrawsModel* allDraws_;
  QComboBox* cbJahr_ = nullptr;
  QCheckBox* cbLose_ = nullptr;
  QCheckBox* cbNurGewinner_ = nullptr;
  QTabWidget* tcArchiv_ = nullptr;
  QTableView* gZiehungen_ = nullptr;
  QTableView* gPruefung_ = nullptr;
  QLabel* lAnzahl_ = nullptr;
  QLabel* lPruefung_ = nullptr;
  ArchiveStatistics* statistics_ = nullptr;
  QList<QPushButton*> buttons_;
  QString folder_;
  int checkedTickets_ = -1;  // how many tickets the last check against all draws had
  bool statisticsStale_ = true;
};

// The open archive window, or nullptr.
extern QPointer<TFArchiv> FArchiv;
