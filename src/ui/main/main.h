// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include "archive/archive.h"
#include "core/announcement.h"
#include "core/drawhistory.h"
#include "core/evaluation.h"
#include "ui/main/tickets/ticketview.h"

class DrawAnnouncements;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class SkinButton;
class QScrollBar;
class QTableView;
class QWidget;
class ResultModel;
class TotalsModel;
class TBZahl;
class TPZahl;

// The main window FMain: number board and winning-number text field on the left, the strip of chosen
// numbers, the ticket area Box1 and the result tables on the right, program commands across the top.
// It owns the state of a check (chosen numbers, tickets, line data) in one LotteryCheck.
class TFMain : public QWidget {
  Q_OBJECT
  // Read by the snapshot of the ticket area.
  Q_PROPERTY(int LosCount READ LosCount)
 public:
  // Shows a donation status text (made fit for the label) in the label "leur", as plain text.
  void showDonationStand(const QString& text);
  // Creating the window reads the settings (a first run writes the two start keys) and builds every
  // control; the window stays hidden.
  explicit TFMain(QWidget* parent = nullptr);
  ~TFMain() override;

  const LotteryCheck& check() const { return check_; }
  // What is said and played after a number chosen with the board or the keyboard.
  DrawAnnouncements& announcements() const { return *announcements_; }

  // The ticket list: ticket n is entry n - 1 of LosFrames and LosGrids.
  int LosCount() const;
  const LosFrameList& LosFrames() const;
  const LosGridList& LosGrids() const;

  TBZahl* Button(int n) const { return (n >= 1 && n <= 75) ? buttons_[n - 1] : nullptr; }  // n 1..75
  TPZahl* Panel(int k) const { return (k >= 1 && k <= 22) ? panels_[k - 1] : nullptr; }    // k 1..22
  TicketView* ticketView() const { return ticketView_; }

  // Files from the command line, another start or a drop (mainfiles.cpp): ticket files are appended
  // in order, then a winning-number file is read and transferred; with both the evaluation runs. A
  // refused file is reported and the others are still read.
  void openFiles(const QStringList& paths);

  QString NewNumbersUrl;
  QString DonationStand;

 public slots:
  // Files dropped on the window or its text field; called after the drop has returned.
  void openDroppedFiles(const QList<QUrl>& urls);
  // Number board.
  void BMusterClick(TBZahl* sender);
  void BDelGZClick();
  void BDelZahlenClick();
  // Ctrl+Z: takes back the last change of the chosen numbers; Ctrl+Y restores it (mainundo.cpp).
  void BZurueckClick();
  void redoChosen();
  // Evaluation and result tables.
  void BAuswertenClick();
  // Winning-number text field and files.
  void BTransferClick();
  void BOpenGZClick();
  void BSaveGZClick();
  void bsSkinSpeedButton3Click();
  // Tickets.
  void LosBauen();
  void BOpenClick();
  void BDelLoseClick();
  // Top bar and pictures.
  void bsSkinSpeedButton1Click();
  void bsSkinSpeedButton2Click();
  void bsSkinSpeedButton8Click();
  void bsSkinSpeedButton13Click();
  void BInfoClick();
  void BPayClick();
  void BNeueGZClick();
  void Image1Click();
  void bsSkinSpeedButton4Click();
  void bsSkinSpeedButton5Click();
  // The overview and going to a ticket (mainjump.cpp).
  void BUebersichtClick();
  // The draw archive (mainarchiv.cpp): store the shown draw, open the archive window.
  void BArchivierenClick();
  void BArchivClick();

 public:
  // Scrolls the ticket area to ticket index (0-based) and marks its frame for a moment.
  void jumpToTicket(int index);
  // F3 (step 1) and Shift+F3 (step -1): the next or previous ticket with a win, round the end.
  void nextWinner(int step);
  // Ctrl+G: asks for a ticket number and goes there.
  void askTicketNumber();

 signals:
  // Emitted when the window has closed; the program ends then.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  friend class MainTransferTarget;

  // Wires a bar button's click to its handler, so that a typo in either fails to compile.
  SkinButton* commandButton(SkinButton* button, void (TFMain::*handler)());
  void buildLayout();  // mainlayout.cpp
  QWidget* buildTopBar();
  QWidget* buildLeftColumn();  // of the bars below, top to bottom
  QWidget* buildNumberToolBar();
  QWidget* buildNumberFileBar();
  QWidget* buildNumbersField();
  QWidget* buildTransferBar();
  QWidget* buildBoardFrame();
  QWidget* buildMainArea();
  QWidget* buildStripBar(QWidget* area);
  QWidget* buildTicketBar(QWidget* area);
  QWidget* buildTicketArea(QWidget* area);
  QWidget* buildResultsColumn();
  QWidget* buildResultsBar(QWidget* col);
  QWidget* buildResultGrids(QWidget* col);
  QLayout* buildVendorPicture(QWidget* col);
  void createNumberControls();  // the strip panels and the number buttons
  void wireCommands();

  void readSettings();
  void setUpFileCommands();  // drops and the recent ticket files
  // The bodies of "Lose einlesen..." and BOpenGZ for a chosen path; they throw what reading throws.
  void readTicketFile(const QString& path, bool replaceShown);
  void readNumberFile(const QString& path);
  // A winning-number file's text (CR LF) into the field and transferred; label names where it came from.
  void showNumberText(const QString& crlfText, const QString& label);
  // What the archive window asks for (mainarchiv.cpp).
  void loadArchivedDraw(const ArchiveDraw& draw, bool withTickets);
  void showArchivedNumbers(const QList<int>& numbers, const QString& title);
  void writeClosingSettings();

  void toggleNumber(int n);  // BMusterClick without the guard
  // The history and the announcements around the handlers (mainundo.cpp).
  void clickedNumber(int n);  // toggles, records the step and announces it
  void clearChosenRecorded();
  bool recordChange(DrawHistory::Kind kind, int n, const QList<int>& before);  // false: nothing changed
  void forgetHistory();
  void historyChanged();
  void stepHistory(bool back);
  void applyChosen(const QList<int>& wanted);  // through toggleNumber and clearChosen
  DrawSnapshot announceBefore() const;
  void clearChosen();  // BDelGZClick without the guard
  void clearStrip();
  void refillStrip();
  void evaluate();  // BAuswertenClick without the guard
  void removeTickets();
  void noteTicketSource(const QString& fileName, int count);  // for ticketFiles_
  void wireOverview();                                        // mainjump.cpp
  void overviewFollows();                                     // the open overview shows the last evaluation

  // MGZ holds "\n" line breaks; the program's texts use CR LF.
  QString fieldText() const;
  void setFieldText(const QString& crlfText);

  LotteryCheck check_;
  DrawHistory history_;
  DrawAnnouncements* announcements_ = nullptr;
  QPushButton* undoButton_ = nullptr;
  QList<TBZahl*> buttons_;
  QList<TPZahl*> panels_;

  QPushButton* overviewButton_ = nullptr;
  QPushButton* openTicketsButton_ = nullptr;
  QPushButton* clearChosenButton_ = nullptr;
  QWidget* leftColumn_ = nullptr;
  QWidget* boardPanel_ = nullptr;
  QWidget* stripPanel_ = nullptr;
  QLabel* chosenCountLabel_ = nullptr;
  QLabel* ticketFileLabel_ = nullptr;
  QLabel* numberFileLabel_ = nullptr;
  QLabel* donationLabel_ = nullptr;
  QLabel* vendorPicture_ = nullptr;
  QPlainTextEdit* numbersField_ = nullptr;
  QCheckBox* evaluateAtOnceBox_ = nullptr;
  QCheckBox* appendTicketsBox_ = nullptr;
  QCheckBox* rebuildTicketsBox_ = nullptr;
  TicketView* ticketView_ = nullptr;
  QTableView* resultTable_ = nullptr;
  QTableView* totalsTable_ = nullptr;
  QScrollBar* resultScrollBar_ = nullptr;
  ResultModel* resultModel_ = nullptr;
  TotalsModel* totalsModel_ = nullptr;

  int currentTicket_ = -1;  // the ticket last gone to
  // Where the tickets came from, in order, for "Ziehung archivieren".
  QList<ArchiveFile> ticketFiles_;
};

extern QPointer<TFMain> FMain;
