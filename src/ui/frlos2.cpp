// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frlos2.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <algorithm>

#include "common/drawcell.h"
#include "common/guard.h"
#include "common/prompter.h"
#include "core/tickettext.h"
#include "ui/accessibility.h"
#include "ui/filedrop.h"
#include "ui/messages.h"
#include "ui/skinwidgets.h"

// Q_INIT_RESOURCE declares the initialiser in the namespace it is used in: keep it global. A static
// library's resources are linked in only when something refers to them.
static void initResources() {
  Q_INIT_RESOURCE(resources);
}

void InitEntryPictures() {
  // The frames' picture buttons get the program's accessible interface only if it is known first.
  static const bool done = (initResources(), InstallAccessibility(), true);
  Q_UNUSED(done);
}

// ---------------------------------------------------------------------------------------------------
// The grid's data: 25 plain cell texts, row by row.

class TicketCellsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 5; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (index.isValid() && role == Qt::BackgroundRole &&
        doubtful_[std::size_t(index.row() * 5 + index.column())])
      return QColor::fromRgb(TFfrLos2::kDoubtfulColour);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return cells_[index.row() * 5 + index.column()];
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole) return false;
    QString& cell = cells_[index.row() * 5 + index.column()];
    const QString text = value.toString();
    if (cell == text) return true;
    cell = text;
    doubtful_[std::size_t(index.row() * 5 + index.column())] = false;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::BackgroundRole});
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  const TicketCells& cells() const { return cells_; }

  void setCells(const TicketCells& cells) {
    cells_ = cells;
    doubtful_.fill(false);
    emit dataChanged(index(0, 0), index(4, 4), {Qt::DisplayRole, Qt::EditRole, Qt::BackgroundRole});
  }

  // The user typed into the cell: its number is theirs now, even when it reads as before.
  void confirm(const QModelIndex& index) {
    bool& mark = doubtful_[std::size_t(index.row() * 5 + index.column())];
    if (!mark) return;
    mark = false;
    emit dataChanged(index, index, {Qt::BackgroundRole});
  }

  const std::array<bool, 25>& doubtful() const { return doubtful_; }
  void setDoubtful(const std::array<bool, 25>& doubtful) {
    doubtful_ = doubtful;
    emit dataChanged(index(0, 0), index(4, 4), {Qt::BackgroundRole});
  }

 private:
  TicketCells cells_;
  std::array<bool, 25> doubtful_{};
};

namespace {

// Paints every cell through gLosDrawCell and edits in a frameless, centred line edit that fits the
// 20 × 16 cell.
class CellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    QFont font = option.font;
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    painter->setFont(font);
    painter->setPen(Qt::black);
    const QVariant marked = index.data(Qt::BackgroundRole);
    if (marked.isValid())
      DrawCellText(*painter, option.rect, Qt::AlignHCenter, index.data(Qt::DisplayRole).toString(),
                   marked.value<QColor>());
    else
      TFfrLos2::gLosDrawCell(*painter, option.rect, index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignCenter);
    editor->setContentsMargins(0, 0, 0, 0);
    editor->setTextMargins(0, 0, 0, 0);
    QFont font = parent->font();
    font.setBold(false);
    editor->setFont(font);
    ForwardFileDrops(editor);
    editor_ = editor;
    return editor;
  }

  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex&) const override {
    editor->setGeometry(option.rect);
  }

  QWidget* openEditor() const { return editor_.data(); }

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    QStyledItemDelegate::setModelData(editor, model, index);
    // Typing the number that was read, to say it is right, takes its mark away too; an editor that is
    // merely passed through (every cell opens one) leaves it.
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && line->isModified()) static_cast<TicketCellsModel*>(model)->confirm(index);
  }

 private:
  mutable QPointer<QWidget> editor_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------------

TicketEditGrid::TicketEditGrid(QWidget* parent) : QTableView(parent), model_(new TicketCellsModel(this)) {
  setModel(model_);
  setItemDelegate(new CellDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(20);
  verticalHeader()->setDefaultSectionSize(16);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // Moving onto a cell opens its editor, so the editor is always at hand.
  setEditTriggers(QAbstractItemView::AllEditTriggers);
  setTabKeyNavigation(true);
}

TicketCells TicketEditGrid::cells() const {
  return model_->cells();
}

void TicketEditGrid::setCells(const TicketCells& cells) {
  model_->setCells(cells);
}

QString TicketEditGrid::cellText(int row, int column) const {
  return model_->cells()[row * 5 + column];
}

void TicketEditGrid::setCellText(int row, int column, const QString& text) {
  model_->setData(model_->index(row, column), text, Qt::EditRole);
}

void TicketEditGrid::setDoubtfulCells(const std::array<bool, 25>& doubtful) {
  model_->setDoubtful(doubtful);
}

bool TicketEditGrid::isDoubtful(int cell) const {
  return model_->doubtful()[std::size_t(cell)];
}

const std::array<bool, 25>& TicketEditGrid::doubtfulCells() const {
  return model_->doubtful();
}

void TicketEditGrid::closeOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return;
  auto* delegate = static_cast<CellDelegate*>(itemDelegate());
  if (QWidget* editor = delegate->openEditor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void TicketEditGrid::focusInEvent(QFocusEvent* event) {
  if (!currentIndex().isValid() && event->reason() != Qt::MouseFocusReason)
    selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);
  QTableView::focusInEvent(event);
}

void TicketEditGrid::commitOpenEditor() {
  if (state() != QAbstractItemView::EditingState) return;
  auto* delegate = static_cast<CellDelegate*>(itemDelegate());
  if (QWidget* editor = delegate->openEditor()) commitData(editor);
}

// ---------------------------------------------------------------------------------------------------

namespace {

QToolButton* pictureButton(QWidget* parent, const char* name, const QString& icon, const QString& tip) {
  auto* b = new QToolButton(parent);
  b->setObjectName(QString::fromLatin1(name));
  if (!icon.isEmpty()) b->setIcon(QIcon(icon));
  b->setIconSize(QSize(14, 14));
  b->setAutoRaise(true);
  b->setToolTip(tip);
  b->setAccessibleName(tip);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}

}  // namespace

TFfrLos2::TFfrLos2(QWidget* parent) : QFrame(parent) {
  InitEntryPictures();
  setFixedSize(kWidth, kHeight);
  setFrameShape(QFrame::NoFrame);

  auto* panel2 = new QFrame(this);
  panel2->setObjectName("Panel2");
  panel2->setFrameShape(QFrame::Panel);
  panel2->setFrameShadow(QFrame::Sunken);
  panel2->setGeometry(0, 0, 20, kHeight);

  // On the frame, above the panel, so that a wide number can reach past the panel's edge.
  PNr = new QLabel(this);
  PNr->setObjectName("PNr");
  PNr->setGeometry(1, 1, 18, 18);
  PNr->setAlignment(Qt::AlignCenter);
  PNr->setStyleSheet(
      QStringLiteral("QLabel#PNr { background-color: #006400; color: #B0FFB0; "
                     "font-family: Calibri; font-size: 8pt; font-weight: bold; "
                     "border: 1px inset #004000; padding: 0px; }"));

  // The delete picture of the main window's delete buttons.
  BDel = pictureButton(panel2, "BDel", QString(), QStringLiteral("Textfeld leeren"));
  BDel->setIcon(ImageList1(1));
  BDel->setGeometry(1, 19, 18, 22);
  bsSkinSpeedButton2 =
      pictureButton(panel2, "bsSkinSpeedButton2", QStringLiteral(":/eingabe/uebertragen.svg"),
                    QStringLiteral("Zahlen aus dem Textfeld in das Los übertragen"));
  bsSkinSpeedButton2->setGeometry(1, 41, 18, 38);
  bsSkinSpeedButton1 = pictureButton(panel2, "bsSkinSpeedButton1", QStringLiteral(":/eingabe/losleeren.svg"),
                                     QStringLiteral("Alle Zahlen des Loses löschen"));
  bsSkinSpeedButton1->setGeometry(1, kHeight - 23, 18, 22);

  auto* label1 = new QLabel(QStringLiteral("Pro Zeile eine Zahl"), this);
  caption_ = label1;
  label1->setObjectName("Label1");
  QFont labelFont = label1->font();
  // Calibri is narrow; where it is missing a condensed face keeps the caption inside the frame.
  labelFont.setFamilies(
      {QStringLiteral("Calibri"), QStringLiteral("DejaVu Sans Condensed"), labelFont.family()});
  labelFont.setBold(false);
  labelFont.setPointSize(8);
  label1->setFont(labelFont);
  label1->setGeometry(20, 0, 106, 14);
  label1->setAlignment(Qt::AlignCenter);

  m1 = new QPlainTextEdit(this);
  m1->setObjectName("m1");
  m1->setGeometry(20, 14, 106, kHeight - 14 - 84);
  m1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  m1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m1->setTabChangesFocus(true);
  m1->installEventFilter(this);
  ForwardFileDrops(m1->viewport());
  label1->setBuddy(m1);

  gLos = new TicketEditGrid(this);
  gLos->setObjectName("gLos");
  gLos->setGeometry(20, kHeight - 84, 106, 84);

  // Above the text field too, which a wide number reaches down to.
  PNr->raise();

  connect(BDel, &QToolButton::clicked, this, [this] { BDelClick(); });
  connect(bsSkinSpeedButton1, &QToolButton::clicked, this, [this] { bsSkinSpeedButton1Click(); });
  connect(bsSkinSpeedButton2, &QToolButton::clicked, this, [this] { bsSkinSpeedButton2Click(); });
}

void TFfrLos2::setNumber(int n) {
  PNr->setText(QString::number(n));
  // The style sheet's font, bold, as the label paints it.
  PNr->ensurePolished();
  QFont font = PNr->font();
  font.setBold(true);
  const int width = std::max(18, QFontMetrics(font).horizontalAdvance(PNr->text()) + 4);
  PNr->setGeometry(1, 1, width, 18);
  const int captionLeft = width > 18 ? width + 3 : 20;
  caption_->setGeometry(captionLeft, 0, kWidth - captionLeft, 14);
}

bool TFfrLos2::eventFilter(QObject* watched, QEvent* event) {
  // The Enter key inserts no line break: several lines come into the field by pasting.
  if (watched == m1 && event->type() == QEvent::KeyPress) {
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    // Tab moves on to the next control; Ctrl+Tab types the tab that separates a row's numbers.
    if (key == Qt::Key_Tab && keyEvent->modifiers() == Qt::ControlModifier) {
      m1->insertPlainText(QStringLiteral("\t"));
      return true;
    }
  }
  return QFrame::eventFilter(watched, event);
}

QString TFfrLos2::memoText() const {
  // Block by block rather than toPlainText(), which would turn a no-break space into a space.
  QStringList lines;
  for (QTextBlock b = m1->document()->begin(); b.isValid(); b = b.next()) {
    QString line = b.text();
    line.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    lines << line;
  }
  if (lines.size() == 1 && lines.first().isEmpty()) return {};
  return lines.join(QStringLiteral("\r\n"));
}

void TFfrLos2::setMemoText(const QString& crlfText) {
  QString text = crlfText;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  m1->setPlainText(text);
}

void TFfrLos2::BDelClick() {
  runGuarded([&] { m1->clear(); });
}

void TFfrLos2::bsSkinSpeedButton1Click() {
  runGuarded([&] { gLos->setCells(TicketCells{}); });
}

void TFfrLos2::bsSkinSpeedButton2Click() {
  runGuarded([&] {
    gLos->commitOpenEditor();
    QString text = memoText();
    TicketCells cells = gLos->cells();
    // A long pasted list full of wrong lines would otherwise need one OK per line.
    MessageCap cap(QStringLiteral("Zeile"), QStringLiteral("Zeilen"),
                   QStringLiteral("ungültig, doppelt oder kein Feld mehr frei"));
    TransferLosText(text, cells, [&](const QString& message) {
      // What has been placed so far is visible while the message waits for its OK.
      if (cap.shownCount() < MessageCap::kShown) gLos->setCells(cells);
      cap.error(message);
    });
    setMemoText(text);
    gLos->setCells(cells);
    cap.finish();
  });
}

void TFfrLos2::gLosDrawCell(QPainter& painter, const QRect& rect, const QString& text) {
  DrawCellText(painter, rect, Qt::AlignHCenter, text, Qt::white);
}
