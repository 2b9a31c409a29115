// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableView>
#include <array>

#include "core/ticket.h"

class TicketCellsModel;

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
