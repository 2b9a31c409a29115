// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, docked as the window's design gives them.
#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>

#include "ui/accessibility.h"
#include "ui/boardkeys.h"
#include "ui/main.h"
#include "ui/numberboard.h"
#include "ui/resultgrids.h"
#include "ui/resultmodel.h"
#include "ui/skinwidgets.h"

namespace {
constexpr int kBarHeight = 40;
constexpr int kBoardHeight = 377;
constexpr int kBoardMargin = 5;

QFrame* panel(const QString& name, QWidget* parent, QFrame::Shape shape = QFrame::NoFrame) {
  auto* p = new QFrame(parent);
  p->setObjectName(name);
  p->setFrameShape(shape);
  return p;
}

QHBoxLayout* hbox(QWidget* w, int margin = 1, int spacing = 2) {
  auto* l = new QHBoxLayout(w);
  l->setContentsMargins(margin, margin, margin, margin);
  l->setSpacing(spacing);
  return l;
}

QVBoxLayout* vbox(QWidget* w, int spacing = 0) {
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(spacing);
  return l;
}

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  return l;
}

// A sunken one-line label that shows a file name.
QLabel* framedLabel(const QString& name, QWidget* parent) {
  auto* l = label(name, QString(), parent);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setFixedSize(154, 21);
  return l;
}

QLabel* hintLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* l = label(name, text, parent);
  QFont f(QStringLiteral("Calibri"), 8);
  f.setBold(true);
  l->setFont(f);
  l->setWordWrap(true);
  return l;
}

SkinButton* button(const QString& name, const QString& caption, int picture, int w, QWidget* parent,
                   const QString& hint = QString()) {
  auto* b = new SkinButton(name, caption, picture, QSize(w, 38), parent);
  if (!hint.isEmpty()) b->setHint(hint);
  return b;
}

// A caption over a control, as in the "Datei" and "Gewählt" groups.
QWidget* captioned(const QString& name, int width, QLabel* caption, QWidget* control, QWidget* parent) {
  auto* p = panel(name, parent);
  p->setFixedWidth(width);
  auto* l = vbox(p);
  caption->setParent(p);
  control->setParent(p);
  l->addWidget(caption);
  l->addWidget(control);
  return p;
}
}  // namespace

void TFMain::buildLayout() {
  auto* root = vbox(this);
  root->addWidget(buildTopBar());
  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(buildLeftColumn());
  body->addWidget(buildMainArea(), 1);
  root->addLayout(body, 1);
  createNumberControls();
}

QWidget* TFMain::buildTopBar() {
  auto* bar = panel(QStringLiteral("bsSkinPanel3"), this);
  bar->setFixedHeight(kBarHeight);
  auto* l = hbox(bar);
  l->addWidget(button(QStringLiteral("bsSkinSpeedButton1"), QStringLiteral("Programm beenden"), 0, 96, bar));
  l->addWidget(button(QStringLiteral("bsSkinSpeedButton2"), QStringLiteral("Lose eingeben"), 6, 96, bar));
  l->addWidget(button(QStringLiteral("BUebersicht"), QStringLiteral("Übersicht"), 20, 96, bar,
                      QStringLiteral("Gewinnübersicht (F2)")));
  l->addStretch(1);

  auto* payPal = panel(QStringLiteral("PPayPal"), bar);
  payPal->setFixedWidth(458);
  auto* pl = hbox(payPal, 0);
  pl->addStretch(1);
  auto* label6 = label(QStringLiteral("Label6"),
                       QStringLiteral("Wenn Ihnen das Programm gefällt, würde ich mich über einen "
                                      "Wachmacher freuen:"),
                       payPal);
  QFont f6(QStringLiteral("Calibri"), 9);
  f6.setBold(true);
  label6->setFont(f6);
  label6->setWordWrap(true);
  label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label6->setFixedWidth(209);
  QPalette p6 = label6->palette();
  p6.setColor(QPalette::WindowText, QColor(0, 64, 128));
  label6->setPalette(p6);
  pl->addWidget(label6);
  pl->addWidget(button(QStringLiteral("BPay"), QString(), 14, 42, payPal,
                       QStringLiteral("Mit PayPal einen Wachmacher spendieren")));
  leur_ = label(QStringLiteral("leur"), QStringLiteral("0"), payPal);
  leur_->setFrameShape(QFrame::Panel);
  leur_->setFrameShadow(QFrame::Sunken);
  leur_->setAlignment(Qt::AlignCenter);
  auto* label17 = label(QStringLiteral("Label17"), QStringLiteral("Stand in €"), payPal);
  QFont f17 = label17->font();
  f17.setPointSize(7);
  label17->setFont(f17);
  label17->setAlignment(Qt::AlignCenter);
  pl->addWidget(captioned(QStringLiteral("Panel17"), 60, label17, leur_, payPal));
  SetAccessibleCaption(leur_, label17->text());
  pl->addSpacing(60);
  l->addWidget(payPal);

  l->addWidget(button(QStringLiteral("bsSkinSpeedButton13"), QString(), 15, 38, bar,
                      QStringLiteral("Nach einer neuen Programmversion suchen")));
  l->addWidget(button(QStringLiteral("bsSkinSpeedButton8"), QString(), 10, 40, bar,
                      QStringLiteral("Fensterposition und -größe speichern")));
  l->addWidget(button(QStringLiteral("BInfo"), QString(), 9, 40, bar, QStringLiteral("Programminfo")));
  return bar;
}

QWidget* TFMain::buildLeftColumn() {
  pLeft_ = panel(QStringLiteral("PLeft"), this);
  auto* l = vbox(pLeft_);

  auto* tools = panel(QStringLiteral("bsSkinPanel6"), pLeft_);
  tools->setFixedHeight(kBarHeight);
  auto* tl = hbox(tools);
  tl->addWidget(button(QStringLiteral("BOpenGZ"), QString(), 12, 42, tools,
                       QStringLiteral("Gewinnzahlen-Datei öffnen")));
  tl->addWidget(
      button(QStringLiteral("BSaveGZ"), QString(), 11, 42, tools, QStringLiteral("Gewinnzahlen speichern")));
  tl->addWidget(button(QStringLiteral("BNeueGZ"), QString(), 13, 42, tools,
                       QStringLiteral("Aktuelle Gewinnzahlen im Internet ansehen")));
  tl->addStretch(1);
  auto* clearField = button(QStringLiteral("bsSkinSpeedButton3"), QStringLiteral("Text- feld"), 1, 34, tools);
  clearField->setToolTip(QStringLiteral("Textfeld leeren"));
  tl->addWidget(clearField);
  l->addWidget(tools);

  auto* fileBar = panel(QStringLiteral("bsSkinPanel7"), pLeft_);
  fileBar->setFixedHeight(kBarHeight);
  auto* fl = hbox(fileBar);
  lDatei2_ = framedLabel(QStringLiteral("LDatei2"), fileBar);
  SetAccessibleCaption(lDatei2_, QStringLiteral("Datei"));
  fl->addWidget(captioned(QStringLiteral("Panel7"), 160, label(QStringLiteral("Label4"), "Datei", fileBar),
                          lDatei2_, fileBar));
  fl->addStretch(1);
  l->addWidget(fileBar);

  auto* hint = panel(QStringLiteral("Panel5"), pLeft_);
  hint->setFixedHeight(28);
  hbox(hint)->addWidget(hintLabel(
      QStringLiteral("Label3"),
      QStringLiteral("Gewinnzahlen kommagetrennt oder mit copy & paste in Textfeld einfügen."), hint));
  l->addWidget(hint);

  mgz_ = new QPlainTextEdit(pLeft_);
  mgz_->setObjectName(QStringLiteral("MGZ"));
  // The field has a horizontal scroll bar, so long lines of digits scroll instead of wrapping.
  mgz_->setLineWrapMode(QPlainTextEdit::NoWrap);
  mgz_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mgz_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  mgz_->setAccessibleName(QStringLiteral("Gewinnzahlen-Textfeld"));
  mgz_->setTabChangesFocus(true);
  mgz_->setMinimumHeight(40);
  mgz_->setPlainText(QStringLiteral("47910161819202324313443444548545866676974"));
  l->addWidget(mgz_, 1);

  auto* transferBar = panel(QStringLiteral("bsSkinPanel1"), pLeft_);
  transferBar->setFixedHeight(kBarHeight);
  auto* xl = hbox(transferBar);
  xl->addWidget(new SkinButton(QStringLiteral("BTransfer"), QStringLiteral("Textfeld- Transfer"), 7,
                               QSize(84, 38), transferBar, SkinButton::Picture::Right));
  xl->addStretch(1);
  pAnz_ = label(QStringLiteral("PAnz"), QStringLiteral("0"), transferBar);
  pAnz_->setFrameShape(QFrame::Panel);
  pAnz_->setFrameShadow(QFrame::Sunken);
  pAnz_->setAlignment(Qt::AlignCenter);
  pAnz_->setAutoFillBackground(true);
  QPalette pa = pAnz_->palette();
  pa.setColor(QPalette::Window, QColor(128, 255, 128));
  pa.setColor(QPalette::WindowText, QColor(0, 64, 0));
  pAnz_->setPalette(pa);
  QFont fa(QStringLiteral("Tahoma"), 10);
  fa.setBold(true);
  pAnz_->setFont(fa);
  auto* label1 = label(QStringLiteral("Label1"), QStringLiteral("Gewählt"), transferBar);
  label1->setAlignment(Qt::AlignCenter);
  QFont f1 = label1->font();
  f1.setPointSize(7);
  label1->setFont(f1);
  label1->setBuddy(pAnz_);
  SetAccessibleCaption(pAnz_, label1->text());
  xl->addWidget(captioned(QStringLiteral("Panel1"), 39, label1, pAnz_, transferBar));
  xl->addWidget(button(QStringLiteral("BDelGZ"), QString(), 1, 34, transferBar,
                       QStringLiteral("Gewählte Gewinnzahlen löschen")));
  l->addWidget(transferBar);

  auto* boardHint = panel(QStringLiteral("Panel10"), pLeft_);
  boardHint->setFixedHeight(28);
  hbox(boardHint)->addWidget(
      hintLabel(QStringLiteral("Label5"),
                QStringLiteral("Unten können die Gewinnzahlen einfach angeklickt werden."), boardHint));
  l->addWidget(boardHint);

  // The board keeps its full height inside the margins: taken out of it, the bottom row is cut.
  auto* boardFrame = new QWidget(pLeft_);
  boardFrame->setFixedHeight(kBoardHeight + kBoardMargin);
  auto* bl = vbox(boardFrame);
  bl->setContentsMargins(kBoardMargin, 0, kBoardMargin, kBoardMargin);
  p4_ = panel(QStringLiteral("P4"), boardFrame, QFrame::Panel);
  static_cast<QFrame*>(p4_)->setFrameShadow(QFrame::Sunken);
  p4_->setAccessibleName(QStringLiteral("Zahlenfeld"));
  bl->addWidget(p4_);
  l->addWidget(boardFrame);
  return pLeft_;
}

QWidget* TFMain::buildMainArea() {
  auto* area = panel(QStringLiteral("bsSkinPanel2"), this);
  auto* l = vbox(area);

  auto* strip = panel(QStringLiteral("bsSkinPanel5"), area);
  strip->setFixedHeight(kBarHeight);
  auto* sl = hbox(strip);
  auto* title = label(QStringLiteral("bsSkinLabel1"), QStringLiteral("Gewinnzahlen"), strip);
  title->setFixedSize(112, 24);
  title->setAlignment(Qt::AlignCenter);
  title->setProperty("role", QStringLiteral("sectionTitle"));
  sl->addSpacing(10);
  sl->addWidget(title);
  sl->addSpacing(10);
  pg_ = panel(QStringLiteral("PG"), strip);
  pg_->setFixedSize(550, 32);
  pg_->setAccessibleName(QStringLiteral("Gewählte Gewinnzahlen"));
  sl->addWidget(pg_);
  sl->addStretch(1);
  sl->addWidget(button(QStringLiteral("BDelZahlen"), QStringLiteral("Alle Zahlen löschen"), 1, 94, strip));
  l->addWidget(strip);

  auto* ticketBar = panel(QStringLiteral("bsSkinPanel4"), area);
  ticketBar->setFixedHeight(kBarHeight);
  auto* tl = hbox(ticketBar);
  auto* options = panel(QStringLiteral("Panel3"), ticketBar);
  auto* ol = vbox(options);
  cbDran_ = new QCheckBox(QStringLiteral("Neue Lose anhängen"), options);
  cbDran_->setObjectName(QStringLiteral("cbDran"));
  cbNeu_ = new QCheckBox(QStringLiteral("Lose neu aufbauen"), options);
  cbNeu_->setObjectName(QStringLiteral("cbNeu"));
  cbNeu_->setChecked(true);
  // The wide default face cuts "anhängen" at the panel's edge; the narrow face we ship fits.
  for (QCheckBox* box : {cbDran_, cbNeu_}) {
    QFont f = box->font();
    f.setFamilies({QStringLiteral("Calibri"), QStringLiteral("DejaVu Sans Condensed"), f.family()});
    box->setFont(f);
  }
  ol->addWidget(cbDran_);
  ol->addWidget(cbNeu_);
  // The designed width, or wider where the font in use would clip "Neue Lose anhängen".
  options->setFixedWidth(std::max(139, options->sizeHint().width()));
  tl->addWidget(options);
  tl->addWidget(button(QStringLiteral("BOpen"), QStringLiteral("Lose einlesen..."), 4, 92, ticketBar));
  lDatei_ = framedLabel(QStringLiteral("LDatei"), ticketBar);
  SetAccessibleCaption(lDatei_, QStringLiteral("Datei"));
  tl->addWidget(captioned(QStringLiteral("Panel2"), 160, label(QStringLiteral("Label2"), "Datei", ticketBar),
                          lDatei_, ticketBar));
  tl->addSpacing(5);
  tl->addWidget(button(QStringLiteral("bsSkinSpeedButton4"), QString(), 16, 42, ticketBar,
                       QStringLiteral("Foto der Lose")));
  tl->addStretch(1);
  cbSofort_ = new WrapCheckBox(QStringLiteral("cbSofort"),
                               QStringLiteral("Nach jeder Gewinnzahlein- gabe Gewinnauswertung "), ticketBar);
  cbSofort_->setFixedSize(155, 36);
  cbSofort_->setChecked(true);
  tl->addWidget(cbSofort_);
  tl->addWidget(button(QStringLiteral("BAuswerten"), QStringLiteral("Gewinn- prüfung"), 8, 88, ticketBar));
  tl->addWidget(button(QStringLiteral("BDelLose"), QStringLiteral("Alle Lose löschen"), 1, 94, ticketBar));
  l->addWidget(ticketBar);

  auto* work = panel(QStringLiteral("Panel4"), area);
  auto* wl = hbox(work, 0, 0);
  box1_ = new TicketView(check_, work);
  box1_->setObjectName(QStringLiteral("Box1"));
  QFont boxFont(QStringLiteral("Tahoma"), 8);
  boxFont.setBold(true);
  box1_->setFont(boxFont);
  box1_->setAccessibleName(QStringLiteral("Lose"));
  wl->addWidget(box1_, 1);
  wl->addWidget(buildResultsColumn());
  l->addWidget(work, 1);
  return area;
}

QWidget* TFMain::buildResultsColumn() {
  auto* col = panel(QStringLiteral("Panel6"), this);
  col->setFixedWidth(161);
  auto* l = vbox(col);

  auto* bar = panel(QStringLiteral("bsSkinPanel8"), col);
  bar->setFixedHeight(kBarHeight);
  auto* bl = hbox(bar);
  bl->addStretch(1);
  bl->addWidget(button(QStringLiteral("bsSkinSpeedButton5"), QString(), 17, 42, bar,
                       QStringLiteral("Foto der Gewinnauswertung")));
  l->addWidget(bar);

  auto* title = label(QStringLiteral("bsSkinLabel2"), QStringLiteral("Gewinnauswertung"), col);
  title->setFixedHeight(24);
  title->setAlignment(Qt::AlignCenter);
  title->setProperty("role", QStringLiteral("sectionTitle"));
  auto* titleRow = new QHBoxLayout;
  titleRow->setContentsMargins(10, 5, 10, 0);
  titleRow->addWidget(title);
  l->addLayout(titleRow);

  auto* grids = panel(QStringLiteral("Panel8"), col);
  grids->setFixedHeight(235);
  auto* gl = new QGridLayout(grids);
  gl->setContentsMargins(5, 10, 5, 0);
  gl->setSpacing(0);
  gGew_ = new QTableView(grids);
  gGew_->setObjectName(QStringLiteral("GGew"));
  gGew_->setAccessibleName(QStringLiteral("Gewinnauswertung je Los"));
  gGew_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab leaves the tables; the arrow keys move inside them.
  gGew_->setTabKeyNavigation(false);
  QFont gridFont(QStringLiteral("Tahoma"), 8);
  gGew_->setFont(gridFont);
  resultModel_ = new ResultModel(check_, gridFont, this);
  gGew_->setModel(resultModel_);
  InitResultGrid(gGew_);
  // Reached by Tab, so the keyboard can scroll the results; a click still leaves the focus alone.
  gGew_->setFocusPolicy(Qt::TabFocus);
  scrollBar2_ = new QScrollBar(Qt::Vertical, grids);
  scrollBar2_->setObjectName(QStringLiteral("bsSkinScrollBar2"));
  scrollBar2_->setFixedWidth(19);
  scrollBar2_->setAccessibleName(QStringLiteral("Gewinnauswertung blättern"));
  // The skinned bar beside the grid drives the grid's own (hidden) bar and follows it.
  QScrollBar* inner = gGew_->verticalScrollBar();
  connect(inner, &QScrollBar::rangeChanged, scrollBar2_, &QScrollBar::setRange);
  connect(inner, &QScrollBar::valueChanged, scrollBar2_, &QScrollBar::setValue);
  connect(scrollBar2_, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
  gGes_ = new QTableView(grids);
  gGes_->setObjectName(QStringLiteral("GGes"));
  gGes_->setAccessibleName(QStringLiteral("Summen"));
  gGes_->setFont(gridFont);
  gGes_->setTabKeyNavigation(false);
  totalsModel_ = new TotalsModel(check_, this);
  gGes_->setModel(totalsModel_);
  InitTotalGrid(gGes_);
  // The table's border comes on top of its one 16-pixel row.
  gGes_->setFocusPolicy(Qt::TabFocus);
  gGes_->setFixedHeight(16 + 2 * gGes_->frameWidth());
  gl->addWidget(gGew_, 0, 0);
  gl->addWidget(scrollBar2_, 0, 1);
  gl->addWidget(gGes_, 1, 0, 1, 2);
  l->addWidget(grids);
  l->addStretch(1);

  image1_ = new QLabel(col);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setFixedSize(151, 200);
  image1_->setPixmap(QIcon(QStringLiteral(":/pictures/werbung.svg")).pixmap(151, 200));
  image1_->setCursor(Qt::PointingHandCursor);
  image1_->setToolTip(QStringLiteral("Zur Homepage des Herstellers"));
  image1_->setAccessibleName(image1_->toolTip());
  image1_->setFocusPolicy(Qt::TabFocus);
  image1_->installEventFilter(this);
  auto* imageRow = new QHBoxLayout;
  imageRow->setContentsMargins(5, 0, 5, 5);
  imageRow->addWidget(image1_);
  l->addLayout(imageRow);
  return col;
}

void TFMain::createNumberControls() {
  for (int k = 1; k <= 22; ++k) {
    auto* p = new TPZahl(pg_);
    p->move(NumberBoardGeometry::panelPos(k));
    panels_.append(p);
  }
  for (int n = 1; n <= 75; ++n) {
    auto* b = new TBZahl(n, p4_);
    connect(b, &QPushButton::clicked, this, [this, b] { BMusterClick(b); });
    buttons_.append(b);
  }
  new BoardKeys(buttons_, findChild<QWidget*>(QStringLiteral("BDelGZ")), this);
  pLeft_->setFixedWidth(NumberBoardGeometry::kLeftColumnWidth);
}
