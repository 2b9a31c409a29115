#pragma once

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWidget>
#include <vector>

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
class TFEingabe : public QWidget {
  Q_OBJECT
 public:
  // Frames made by one "Lose erstellen", and frames the window holds at most: each frame is a set of
  // real widgets (about 70 KB), so tens of thousands would exhaust memory and time.
  static constexpr int kMaxFramesAtOnce = 1000;
  static constexpr int kMaxFrames = 2000;
  static constexpr int kClientWidth = 812;
  static constexpr int kClientHeight = 616;
  static constexpr int kMaxWidth = 840;

  explicit TFEingabe(QWidget* parent = nullptr);

  int EinLosCount = 0;
  QList<TFfrLos2*> EinLosFrames;
  QList<TicketEditGrid*> EinLosGrids;

  QPushButton* bsSkinSpeedButton1;  // "Fenster schließen"
  QPushButton* bsSkinSpeedButton7;  // program info
  QPushButton* bsSkinSpeedButton8;  // store window position
  QLineEdit* eAnz;
  QCheckBox* cbDran;
  QCheckBox* cbNeu;
  QPushButton* bsSkinSpeedButton2;  // "Lose erstellen"
  QPushButton* BOpen;
  QPushButton* BSave;
  QPushButton* BDelLose;
  QLabel* LDatei;
  QScrollArea* Box1;

  // Makes and places one more frame at the end.
  TFfrLos2* LosBauen();
  // Appends count frames in one batch, as "Neue Lose anhängen" does; none, after a message, when
  // they would not fit.
  QList<TFfrLos2*> appendFrames(int count);

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

  // The cells of every frame, in ticket order.
  std::vector<TicketCells> tickets() const;

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
  // Size of the ticket area's content for that many frames.
  static QSize boxSizeFor(int frames);
  // False, after an information message, when count more frames would pass a bound; nothing is made
  // then. fromFile: the frames come from a ticket file, which only the total bound limits.
  bool framesFit(int count, bool replacing, bool fromFile);

  QWidget* boxContent_;
};

extern TFEingabe* FEingabe;
