// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

class LotteryCheck;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QTableView;
class NearLineModel;
class OverviewModel;
class WaitingModel;
class WinnerModel;

// The overview window FUebersicht ("Gewinnübersicht"): the winners, the lines one number away and
// the numbers worth waiting for, over the main window's check. Non-modal; it follows every
// evaluation through refresh() and asks the main window, by its signals, to show a ticket or a
// number. Settings: section "Uebersicht" and its position and size under "FUebersicht".
class TFUebersicht : public QWidget {
  Q_OBJECT
 public:
  TFUebersicht(const LotteryCheck& check, QWidget* parent = nullptr);
  ~TFUebersicht() override;

  // Rebuilds the heading and the three lists from the last evaluation.
  void refresh();
  bool showsMissing() const;
  // The row of command buttons above the lists, for commands that act on the whole overview.
  QHBoxLayout* commandRow() const { return commands_; }

 signals:
  void ticketRequested(int index);  // 0-based
  void numberRequested(int n);
  void showMissingChanged(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose

 private:
  void FormCreate();
  QTableView* addList(const QString& name, const QString& title, OverviewModel* model, QHBoxLayout* row);
  void listActivated(QTableView* view, const QModelIndex& index);

  const LotteryCheck& check_;
  QLabel* lKopf_ = nullptr;
  QCheckBox* cbFehlende_ = nullptr;
  QHBoxLayout* commands_ = nullptr;
  WinnerModel* winners_ = nullptr;
  NearLineModel* nearLines_ = nullptr;
  WaitingModel* waiting_ = nullptr;
  QTableView* gGewinner_ = nullptr;
  QTableView* gFehlt_ = nullptr;
  QTableView* gWarte_ = nullptr;
};

// The open overview window, or nullptr.
extern QPointer<TFUebersicht> FUebersicht;

// "Gewinner: 4 (1 x: 2, 2 x: 1, 3 x: 1) — Es fehlt 1 Zahl: 7 Linien auf 5 Losen — Gewählt: 17"
QString OverviewHeading(const LotteryCheck& check);
