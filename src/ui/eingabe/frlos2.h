// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QRgb>
#include <array>

#include "core/ticket.h"
#include "ui/eingabe/ticketcellsmodel.h"
#include "ui/eingabe/ticketeditgrid.h"

class QLabel;
class QPainter;
class QPlainTextEdit;
class QToolButton;

// Registers the pictures of the entry window and its frames; harmless when called again.
void InitEntryPictures();

// One editable ticket frame of the entry window (126 × 166): number panel and three picture buttons on
// the left; the text field m1 for pasted numbers and the grid gLos on the right.
class TFfrLos2 : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kWidth = 126;
  static constexpr int kHeight = 166;

  explicit TFfrLos2(QWidget* parent = nullptr);

  QLabel* PNr;
  QToolButton* BDel;                // empties m1
  QToolButton* bsSkinSpeedButton2;  // numbers from m1 into the grid
  QToolButton* bsSkinSpeedButton1;  // empties the grid
  QPlainTextEdit* m1;
  TicketEditGrid* gLos;

  // Shows the ticket number in PNr. Numbers of four and five digits are wider than the number panel:
  // the label then grows to the right over the caption, which moves aside, so no digit is cut off.
  void setNumber(int n);

  // m1's text with its lines separated by CR LF, and the reverse.
  QString memoText() const;
  void setMemoText(const QString& crlfText);

  void BDelClick();
  void bsSkinSpeedButton1Click();
  void bsSkinSpeedButton2Click();

  // Paints one grid cell: white, regular weight, the text unchanged and centred.
  static void gLosDrawCell(QPainter& painter, const QRect& rect, const QString& text);
  // The background of a cell whose number was doubtful.
  static constexpr QRgb kDoubtfulColour = kDoubtfulCellColour;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* caption_;
};
