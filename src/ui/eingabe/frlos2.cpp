// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe/frlos2.h"

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

#include "core/tickettext.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/drawcell.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/prompter.h"
#include "ui/shared/skinwidgets.h"
#include "ui/shared/widgetfactory.h"

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

namespace {
constexpr QSize kPictureSize(14, 14);

// The frames' picture buttons are reached by Tab only: arrow keys belong to the grid.
QToolButton* pictureButton(QWidget* parent, const char* name, const QString& icon, const QString& tip) {
  auto* b = Widgets::PictureButton(parent, QString::fromLatin1(name), icon.isEmpty() ? QIcon() : QIcon(icon),
                                   tip, kPictureSize);
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
    TransferLosText(text, cells, [&](const Fault& fault) {
      // What has been placed so far is visible while the message waits for its OK.
      if (cap.shownCount() < MessageCap::kShown) gLos->setCells(cells);
      cap.error(fault);
    });
    setMemoText(text);
    gLos->setCells(cells);
    cap.finish();
  });
}

void TFfrLos2::gLosDrawCell(QPainter& painter, const QRect& rect, const QString& text) {
  DrawCellText(painter, rect, Qt::AlignHCenter, text, Qt::white);
}
