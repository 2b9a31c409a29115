// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QRgb>
#include <QTableView>
#include <array>

#include "core/ticket.h"

class QLabel;
class QPainter;
class QPlainTextEdit;
class QToolButton;
class TicketCellsModel;

// Registers the pictures of the entry window and its frames; harmless when called again.
void InitEntryPictures();

// The 5×5 grid of an entry frame: every cell editable in place, painted white with its text centred.
class TicketEditGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TicketEditGrid(QWidget* parent = nullptr);

  TicketCells cells() const;
  void setCells(const TicketCells& cells);
  QString cellText(int row, int column) const;
  void setCellText(int row, int column, const QString& text);

  // Cells whose number was doubtful show amber until the user types into them; setCells clears the
  // marks.
  void setDoubtfulCells(const std::array<bool, 25>& doubtful);
  bool isDoubtful(int cell) const;
  const std::array<bool, 25>& doubtfulCells() const;

  // Takes over what the open cell editor holds, so that a button that does not take the focus
  // still sees the text being typed.
  void commitOpenEditor();

  // The same, and the editor closes: the grid is about to show another ticket.
  void closeOpenEditor();

 protected:
  // A grid without a current cell (a frame handed to another ticket) starts at the first cell when
  // the focus comes by keyboard, as a new grid does.
  void focusInEvent(QFocusEvent* event) override;

 private:
  TicketCellsModel* model_;
};

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
  static constexpr QRgb kDoubtfulColour = 0xFFFFC000;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* caption_;
};
