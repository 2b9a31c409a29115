// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <map>
#include <vector>

#include "core/entrytickets.h"
#include "core/ticket.h"

class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TFfrLos2;
class TicketEditGrid;

// The ticket entry window: makes empty tickets, lets the user fill them and saves them as a ticket
// file. Created once, hidden; closing only hides it, so its tickets stay while the program runs.
//
// The tickets live in a model (EntryTickets). Real frames (TFfrLos2, a set of widgets each) exist
// only for the live tickets: the rows in view and one row above and below it, so that Tab can move
// on into the next row. Scrolling hands a frame whose ticket left that range to a ticket that came
// into it: the frame's state (cells, an open cell editor's text, memo, doubtful marks) is stored into
// the model first, then the next ticket's state is loaded. A frame works exactly as a frame of its
// own would; the window makes a few dozen of them, whatever the number of tickets.
class TFEingabe : public QWidget {
  Q_OBJECT
 public:
  // Tickets made by one "Lose erstellen", and tickets the window holds at most (the ticket area's
  // content is 176 pixels per row of six: 100,000 tickets stay well below Qt's widget size limit).
  static constexpr int kMaxFramesAtOnce = 100000;
  static constexpr int kMaxFrames = 100000;
  // The live range covers at least this height of the ticket area, even before the window is shown,
  // so that the first 30 tickets are always live while the view is at the top.
  static constexpr int kMinLiveHeight = 530;
  static constexpr int kClientWidth = 812;
  static constexpr int kClientHeight = 616;
  static constexpr int kMaxWidth = 840;

  explicit TFEingabe(QWidget* parent = nullptr);

  // The number of tickets.
  int EinLosCount = 0;
  // The live frames and their grids, in ticket order: entry i shows ticket firstLiveTicket() + i
  // (0-based), named "EinfrLos" + its ticket number. While the view is at the top these are the
  // first tickets, at least 30 of them (so with few tickets all of them, entry i = ticket i).
  QList<TFfrLos2*> EinLosFrames;
  QList<TicketEditGrid*> EinLosGrids;

  QPushButton* closeButton;      // "Fenster schließen"
  QPushButton* infoButton;       // program info
  QPushButton* savePlaceButton;  // store window position
  QLineEdit* newTicketCountField;
  QCheckBox* appendTicketsBox;
  QCheckBox* rebuildTicketsBox;
  QPushButton* createTicketsButton;  // "Lose erstellen"
  QPushButton* openButton;
  QPushButton* saveButton;
  QPushButton* deleteTicketsButton;
  QLabel* fileLabel;
  QScrollArea* ticketArea;

  // Makes one more empty ticket at the end and returns its frame, scrolled into view.
  TFfrLos2* LosBauen();
  // Appends count empty tickets in one batch, as "Neue Lose anhängen" does, and returns the frames
  // of those that are live; none, after a message, when they would not fit.
  QList<TFfrLos2*> appendFrames(int count);
  // Appends tickets with their state (from a picture) and scrolls the first of them into view; false,
  // after a message, when they would not fit.
  bool appendTickets(const std::vector<EntryTicket>& tickets);

  // Ticket index (0-based) with its state as it is now, also while its frame is live.
  EntryTicket ticket(int index) const;
  // The live frame of ticket index, or nullptr.
  TFfrLos2* frameOf(int index) const;
  int firstLiveTicket() const { return live_.empty() ? 0 : live_.begin()->first; }

  void bsSkinSpeedButton1Click();
  void bsSkinSpeedButton2Click();
  void bsSkinSpeedButton7Click();
  void bsSkinSpeedButton8Click();
  void BOpenClick();
  void BSaveClick();
  void BDelLoseClick();
  // The body of BOpenClick for a chosen path; throws what reading throws.
  void readTicketFile(const QString& path);

  // True when a key typed into the count field may pass: digits 0-9, backspace, and keys that type no
  // character (cursor keys, shortcuts such as paste).
  static bool eAnzKeyPress(const QKeyEvent& event);

  // Left and top edge of frame n (1-based) inside the ticket area: six frames to a row.
  static QPoint framePosition(int n);

  // The cells of every ticket, in ticket order (what "Lose speichern..." writes).
  std::vector<TicketCells> tickets() const;
  // The cells of all tickets still marked doubtful (an open cell editor's text taken over first).
  int doubtfulCellCount() const;

 public slots:
  // Files dropped anywhere on the window, its text fields included (eingabedrop.cpp); called after
  // the drop has returned.
  void openDroppedFiles(const QList<QUrl>& urls);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Files dropped on the window (eingabedrop.cpp).
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  void FormClose();
  void buildTopBar(QWidget* bar);
  void buildSecondBar(QWidget* bar);
  void removeAllFrames();
  // After tickets were added: new content size, live frames.
  void ticketsChanged();
  // Gives every ticket in the live range a frame, reusing the frames of tickets that left it.
  void layoutFrames();
  // Scrolls the frame of ticket index (0-based) into view.
  void showTicket(int index);
  // First and one past the last ticket index (0-based) that should have a frame.
  std::pair<int, int> liveRange() const;
  void loadFrame(int index, TFfrLos2* frame);
  void storeFrame(int index, TFfrLos2* frame);
  TFfrLos2* makeFrame();
  // A frame no ticket needs: out of the window now, deleted once control is back in the event loop
  // (it may be the one whose event started the layout).
  void retireFrame(TFfrLos2* frame);
  // Keeps Tab moving through the live frames in ticket order, however they were reused.
  void orderTabChain();
  // Size of the ticket area's content for that many frames.
  static QSize boxSizeFor(int frames);
  // False, after an information message, when count more frames would pass a bound; nothing is made
  // then. fromFile: the frames come from a ticket file, which only the total bound limits.
  bool framesFit(int count, bool replacing, bool fromFile);

  QWidget* boxContent_;
  EntryTickets model_;
  std::map<int, TFfrLos2*> live_;  // ticket index -> its frame
  std::vector<TFfrLos2*> spare_;   // frames freed by "Alle Lose löschen", for the next tickets
  bool layingOut_ = false;
  bool layoutAgain_ = false;
};

extern QPointer<TFEingabe> FEingabe;
