// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the main window, docked as the window's design gives them.
#include <QBoxLayout>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>

#include "ui/main/boardkeys.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"
#include "ui/main/resultgrids.h"
#include "ui/main/resultmodel.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/skinwidgets.h"
#include "ui/shared/widgetfactory.h"

namespace {
// Sizes of the window's bars and controls, in pixels.
constexpr int kBarHeight = 40;
constexpr int kButtonHeight = 38;
constexpr QSize kFileLabelSize(154, 21);
constexpr int kHintBarHeight = 28;
constexpr QSize kSectionTitleSize(112, 24);
constexpr QSize kStripSize(550, 32);  // the 22 panels of the chosen numbers
constexpr int kTicketOptionsWidth = 139;
constexpr int kResultsColumnWidth = 161;
constexpr int kResultGridsHeight = 235;
constexpr QSize kVendorPictureSize(151, 200);
// The count of chosen numbers: dark green on light green.
const QColor kChosenCountBackground(128, 255, 128);
const QColor kChosenCountText(0, 64, 0);
constexpr int kBoardHeight = 377;
constexpr int kBoardMargin = 5;

// A sunken one-line label that shows a file name.
QLabel* framedLabel(const QString& name, QWidget* parent) {
  auto* l = Widgets::SunkenLabel(parent, name);
  l->setFixedSize(kFileLabelSize);
  return l;
}

QLabel* hintLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* l = Widgets::Label(parent, name, text);
  QFont f(QStringLiteral("Calibri"), 8);
  f.setBold(true);
  l->setFont(f);
  l->setWordWrap(true);
  return l;
}

// A bar of one bold hint line.
QWidget* hintBar(QWidget* parent, const QString& name, const QString& labelName, const QString& text) {
  auto* bar = Widgets::Panel(parent, name);
  bar->setFixedHeight(kHintBarHeight);
  Widgets::Row(bar, 1, 2)->addWidget(hintLabel(labelName, text, bar));
  return bar;
}

// A caption over a control, as in the "Datei" and "Gewählt" groups.
QWidget* captioned(const QString& name, int width, QLabel* caption, QWidget* control, QWidget* parent) {
  auto* p = Widgets::Panel(parent, name);
  p->setFixedWidth(width);
  auto* l = Widgets::Column(p, 0, 0);
  caption->setParent(p);
  control->setParent(p);
  l->addWidget(caption);
  l->addWidget(control);
  return p;
}
}  // namespace

SkinButton* TFMain::commandButton(SkinButton* button, void (TFMain::*handler)()) {
  connect(button, &QAbstractButton::clicked, this, handler);
  return button;
}

void TFMain::buildLayout() {
  auto* root = Widgets::Column(this, 0, 0);
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
  auto* bar = Widgets::Panel(this, QStringLiteral("bsSkinPanel3"));
  bar->setFixedHeight(kBarHeight);
  auto* l = Widgets::Row(bar, 1, 2);
  l->addWidget(
      commandButton(Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton1"),
                                       QStringLiteral("Programm beenden"), 0, QSize(96, kButtonHeight)),
                    &TFMain::bsSkinSpeedButton1Click));
  l->addWidget(commandButton(Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton2"),
                                                QStringLiteral("Lose eingeben"), 6, QSize(96, kButtonHeight)),
                             &TFMain::bsSkinSpeedButton2Click));
  l->addWidget(overviewButton_ = commandButton(
                   Widgets::BarButton(bar, QStringLiteral("BUebersicht"), QStringLiteral("Übersicht"), 20,
                                      QSize(96, kButtonHeight), QStringLiteral("Gewinnübersicht (F2)")),
                   &TFMain::BUebersichtClick));
  // The draw archive: narrower than the bar's other buttons, so that the bar keeps its width.
  l->addWidget(
      commandButton(Widgets::BarButton(bar, QStringLiteral("BArchivieren"),
                                       QStringLiteral("Ziehung archivieren"), 21, QSize(84, kButtonHeight)),
                    &TFMain::BArchivierenClick));
  l->addWidget(commandButton(Widgets::BarButton(bar, QStringLiteral("BArchiv"), QStringLiteral("Archiv"), 22,
                                                QSize(62, kButtonHeight)),
                             &TFMain::BArchivClick));
  l->addStretch(1);

  auto* payPal = Widgets::Panel(bar, QStringLiteral("PPayPal"));
  payPal->setFixedWidth(458);
  auto* pl = Widgets::Row(payPal, 0, 2);
  pl->addStretch(1);
  auto* label6 = Widgets::Label(payPal, QStringLiteral("Label6"),
                                QStringLiteral("Wenn Ihnen das Programm gefällt, würde ich mich über einen "
                                               "Wachmacher freuen:"));
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
  pl->addWidget(commandButton(
      Widgets::BarButton(payPal, QStringLiteral("BPay"), QString(), 14, QSize(42, kButtonHeight),
                         QStringLiteral("Mit PayPal einen Wachmacher spendieren")),
      &TFMain::BPayClick));
  donationLabel_ = Widgets::Label(payPal, QStringLiteral("leur"), QStringLiteral("0"));
  donationLabel_->setFrameShape(QFrame::Panel);
  donationLabel_->setFrameShadow(QFrame::Sunken);
  donationLabel_->setAlignment(Qt::AlignCenter);
  auto* label17 = Widgets::Label(payPal, QStringLiteral("Label17"), QStringLiteral("Stand in €"));
  QFont f17 = label17->font();
  f17.setPointSize(7);
  label17->setFont(f17);
  label17->setAlignment(Qt::AlignCenter);
  pl->addWidget(captioned(QStringLiteral("Panel17"), 60, label17, donationLabel_, payPal));
  SetAccessibleCaption(donationLabel_, label17->text());
  pl->addSpacing(60);
  l->addWidget(payPal);

  l->addWidget(commandButton(
      Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton13"), QString(), 15, QSize(38, kButtonHeight),
                         QStringLiteral("Nach einer neuen Programmversion suchen")),
      &TFMain::bsSkinSpeedButton13Click));
  l->addWidget(commandButton(
      Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton8"), QString(), 10, QSize(40, kButtonHeight),
                         QStringLiteral("Fensterposition und -größe speichern")),
      &TFMain::bsSkinSpeedButton8Click));
  l->addWidget(commandButton(Widgets::BarButton(bar, QStringLiteral("BInfo"), QString(), 9,
                                                QSize(40, kButtonHeight), QStringLiteral("Programminfo")),
                             &TFMain::BInfoClick));
  return bar;
}

QWidget* TFMain::buildLeftColumn() {
  leftColumn_ = Widgets::Panel(this, QStringLiteral("PLeft"));
  auto* l = Widgets::Column(leftColumn_, 0, 0);
  l->addWidget(buildNumberToolBar());
  l->addWidget(buildNumberFileBar());
  l->addWidget(
      hintBar(leftColumn_, QStringLiteral("Panel5"), QStringLiteral("Label3"),
              QStringLiteral("Gewinnzahlen kommagetrennt oder mit copy & paste in Textfeld einfügen.")));
  l->addWidget(buildNumbersField(), 1);
  l->addWidget(buildTransferBar());
  l->addWidget(hintBar(leftColumn_, QStringLiteral("Panel10"), QStringLiteral("Label5"),
                       QStringLiteral("Unten können die Gewinnzahlen einfach angeklickt werden.")));
  l->addWidget(buildBoardFrame());
  return leftColumn_;
}

QWidget* TFMain::buildNumberToolBar() {
  auto* tools = Widgets::Panel(leftColumn_, QStringLiteral("bsSkinPanel6"));
  tools->setFixedHeight(kBarHeight);
  auto* tl = Widgets::Row(tools, 1, 2);
  tl->addWidget(
      commandButton(Widgets::BarButton(tools, QStringLiteral("BOpenGZ"), QString(), 12,
                                       QSize(42, kButtonHeight), QStringLiteral("Gewinnzahlen-Datei öffnen")),
                    &TFMain::BOpenGZClick));
  tl->addWidget(
      commandButton(Widgets::BarButton(tools, QStringLiteral("BSaveGZ"), QString(), 11,
                                       QSize(42, kButtonHeight), QStringLiteral("Gewinnzahlen speichern")),
                    &TFMain::BSaveGZClick));
  tl->addWidget(commandButton(
      Widgets::BarButton(tools, QStringLiteral("BNeueGZ"), QString(), 13, QSize(42, kButtonHeight),
                         QStringLiteral("Aktuelle Gewinnzahlen im Internet ansehen")),
      &TFMain::BNeueGZClick));
  tl->addStretch(1);
  auto* clearField =
      commandButton(Widgets::BarButton(tools, QStringLiteral("bsSkinSpeedButton3"),
                                       QStringLiteral("Text- feld"), 1, QSize(34, kButtonHeight)),
                    &TFMain::bsSkinSpeedButton3Click);
  clearField->setToolTip(QStringLiteral("Textfeld leeren"));
  tl->addWidget(clearField);
  return tools;
}

QWidget* TFMain::buildNumberFileBar() {
  auto* fileBar = Widgets::Panel(leftColumn_, QStringLiteral("bsSkinPanel7"));
  fileBar->setFixedHeight(kBarHeight);
  auto* fl = Widgets::Row(fileBar, 1, 2);
  numberFileLabel_ = framedLabel(QStringLiteral("LDatei2"), fileBar);
  SetAccessibleCaption(numberFileLabel_, QStringLiteral("Datei"));
  fl->addWidget(captioned(QStringLiteral("Panel7"), 160,
                          Widgets::Label(fileBar, QStringLiteral("Label4"), "Datei"), numberFileLabel_,
                          fileBar));
  fl->addStretch(1);
  return fileBar;
}

QWidget* TFMain::buildNumbersField() {
  numbersField_ = new QPlainTextEdit(leftColumn_);
  numbersField_->setObjectName(QStringLiteral("MGZ"));
  // The field has a horizontal scroll bar, so long lines of digits scroll instead of wrapping.
  numbersField_->setLineWrapMode(QPlainTextEdit::NoWrap);
  numbersField_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  numbersField_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  numbersField_->setAccessibleName(QStringLiteral("Gewinnzahlen-Textfeld"));
  numbersField_->setTabChangesFocus(true);
  numbersField_->setMinimumHeight(40);
  numbersField_->setPlainText(QStringLiteral("47910161819202324313443444548545866676974"));
  return numbersField_;
}

QWidget* TFMain::buildTransferBar() {
  auto* transferBar = Widgets::Panel(leftColumn_, QStringLiteral("bsSkinPanel1"));
  transferBar->setFixedHeight(kBarHeight);
  auto* xl = Widgets::Row(transferBar, 1, 2);
  xl->addWidget(
      commandButton(new SkinButton(QStringLiteral("BTransfer"), QStringLiteral("Textfeld- Transfer"), 7,
                                   QSize(84, kButtonHeight), transferBar, SkinButton::Picture::Right),
                    &TFMain::BTransferClick));
  xl->addStretch(1);
  chosenCountLabel_ = Widgets::Label(transferBar, QStringLiteral("PAnz"), QStringLiteral("0"));
  chosenCountLabel_->setFrameShape(QFrame::Panel);
  chosenCountLabel_->setFrameShadow(QFrame::Sunken);
  chosenCountLabel_->setAlignment(Qt::AlignCenter);
  chosenCountLabel_->setAutoFillBackground(true);
  QPalette pa = chosenCountLabel_->palette();
  pa.setColor(QPalette::Window, kChosenCountBackground);
  pa.setColor(QPalette::WindowText, kChosenCountText);
  chosenCountLabel_->setPalette(pa);
  QFont fa(QStringLiteral("Tahoma"), 10);
  fa.setBold(true);
  chosenCountLabel_->setFont(fa);
  auto* label1 = Widgets::Label(transferBar, QStringLiteral("Label1"), QStringLiteral("Gewählt"));
  label1->setAlignment(Qt::AlignCenter);
  QFont f1 = label1->font();
  f1.setPointSize(7);
  label1->setFont(f1);
  label1->setBuddy(chosenCountLabel_);
  SetAccessibleCaption(chosenCountLabel_, label1->text());
  xl->addWidget(captioned(QStringLiteral("Panel1"), 39, label1, chosenCountLabel_, transferBar));
  xl->addWidget(clearChosenButton_ =
                    commandButton(Widgets::BarButton(transferBar, QStringLiteral("BDelGZ"), QString(), 1,
                                                     QSize(34, kButtonHeight),
                                                     QStringLiteral("Gewählte Gewinnzahlen löschen")),
                                  &TFMain::BDelGZClick));
  return transferBar;
}

QWidget* TFMain::buildBoardFrame() {
  // The board keeps its full height inside the margins: taken out of it, the bottom row is cut.
  auto* boardFrame = new QWidget(leftColumn_);
  boardFrame->setFixedHeight(kBoardHeight + kBoardMargin);
  auto* bl = Widgets::Column(boardFrame, 0, 0);
  bl->setContentsMargins(kBoardMargin, 0, kBoardMargin, kBoardMargin);
  boardPanel_ = Widgets::Panel(boardFrame, QStringLiteral("P4"), QFrame::Panel);
  static_cast<QFrame*>(boardPanel_)->setFrameShadow(QFrame::Sunken);
  boardPanel_->setAccessibleName(QStringLiteral("Zahlenfeld"));
  bl->addWidget(boardPanel_);
  return boardFrame;
}

QWidget* TFMain::buildMainArea() {
  auto* area = Widgets::Panel(this, QStringLiteral("bsSkinPanel2"));
  auto* l = Widgets::Column(area, 0, 0);
  l->addWidget(buildStripBar(area));
  l->addWidget(buildTicketBar(area));
  l->addWidget(buildTicketArea(area), 1);
  return area;
}

QWidget* TFMain::buildStripBar(QWidget* area) {
  auto* strip = Widgets::Panel(area, QStringLiteral("bsSkinPanel5"));
  strip->setFixedHeight(kBarHeight);
  auto* sl = Widgets::Row(strip, 1, 2);
  auto* title = Widgets::Label(strip, QStringLiteral("bsSkinLabel1"), QStringLiteral("Gewinnzahlen"));
  title->setFixedSize(kSectionTitleSize);
  title->setAlignment(Qt::AlignCenter);
  title->setProperty("role", QStringLiteral("sectionTitle"));
  sl->addSpacing(10);
  sl->addWidget(title);
  sl->addSpacing(10);
  stripPanel_ = Widgets::Panel(strip, QStringLiteral("PG"));
  stripPanel_->setFixedSize(kStripSize);
  stripPanel_->setAccessibleName(QStringLiteral("Gewählte Gewinnzahlen"));
  sl->addWidget(stripPanel_);
  sl->addStretch(1);
  undoButton_ =
      commandButton(Widgets::BarButton(strip, QStringLiteral("BZurueck"), QStringLiteral("Zurück- nehmen"),
                                       -1, QSize(56, kButtonHeight),
                                       QStringLiteral("Die letzte Änderung der Gewinnzahlen zurücknehmen")),
                    &TFMain::BZurueckClick);
  // Narrow and without a picture: the strip keeps the window at its classic width.
  undoButton_->setEnabled(false);
  sl->addWidget(undoButton_);
  sl->addWidget(
      commandButton(Widgets::BarButton(strip, QStringLiteral("BDelZahlen"),
                                       QStringLiteral("Alle Zahlen löschen"), 1, QSize(94, kButtonHeight)),
                    &TFMain::BDelZahlenClick));
  return strip;
}

QWidget* TFMain::buildTicketBar(QWidget* area) {
  auto* ticketBar = Widgets::Panel(area, QStringLiteral("bsSkinPanel4"));
  ticketBar->setFixedHeight(kBarHeight);
  auto* tl = Widgets::Row(ticketBar, 1, 2);
  auto* options = Widgets::Panel(ticketBar, QStringLiteral("Panel3"));
  auto* ol = Widgets::Column(options, 0, 0);
  appendTicketsBox_ = new QCheckBox(QStringLiteral("Neue Lose anhängen"), options);
  appendTicketsBox_->setObjectName(QStringLiteral("cbDran"));
  rebuildTicketsBox_ = new QCheckBox(QStringLiteral("Lose neu aufbauen"), options);
  rebuildTicketsBox_->setObjectName(QStringLiteral("cbNeu"));
  rebuildTicketsBox_->setChecked(true);
  // The wide default face cuts "anhängen" at the panel's edge; the narrow face we ship fits.
  for (QCheckBox* box : {appendTicketsBox_, rebuildTicketsBox_}) {
    QFont f = box->font();
    f.setFamilies({QStringLiteral("Calibri"), QStringLiteral("DejaVu Sans Condensed"), f.family()});
    box->setFont(f);
  }
  ol->addWidget(appendTicketsBox_);
  ol->addWidget(rebuildTicketsBox_);
  // The designed width, or wider where the font in use would clip "Neue Lose anhängen".
  options->setFixedWidth(std::max(kTicketOptionsWidth, options->sizeHint().width()));
  tl->addWidget(options);
  tl->addWidget(openTicketsButton_ = commandButton(
                    Widgets::BarButton(ticketBar, QStringLiteral("BOpen"), QStringLiteral("Lose einlesen..."),
                                       4, QSize(92, kButtonHeight)),
                    &TFMain::BOpenClick));
  ticketFileLabel_ = framedLabel(QStringLiteral("LDatei"), ticketBar);
  SetAccessibleCaption(ticketFileLabel_, QStringLiteral("Datei"));
  tl->addWidget(captioned(QStringLiteral("Panel2"), 160,
                          Widgets::Label(ticketBar, QStringLiteral("Label2"), "Datei"), ticketFileLabel_,
                          ticketBar));
  tl->addSpacing(5);
  tl->addWidget(
      commandButton(Widgets::BarButton(ticketBar, QStringLiteral("bsSkinSpeedButton4"), QString(), 16,
                                       QSize(42, kButtonHeight), QStringLiteral("Foto der Lose")),
                    &TFMain::bsSkinSpeedButton4Click));
  tl->addStretch(1);
  evaluateAtOnceBox_ =
      new WrapCheckBox(QStringLiteral("cbSofort"),
                       QStringLiteral("Nach jeder Gewinnzahlein- gabe Gewinnauswertung "), ticketBar);
  evaluateAtOnceBox_->setFixedSize(155, 36);
  evaluateAtOnceBox_->setChecked(true);
  tl->addWidget(evaluateAtOnceBox_);
  tl->addWidget(
      commandButton(Widgets::BarButton(ticketBar, QStringLiteral("BAuswerten"),
                                       QStringLiteral("Gewinn- prüfung"), 8, QSize(88, kButtonHeight)),
                    &TFMain::BAuswertenClick));
  tl->addWidget(
      commandButton(Widgets::BarButton(ticketBar, QStringLiteral("BDelLose"),
                                       QStringLiteral("Alle Lose löschen"), 1, QSize(94, kButtonHeight)),
                    &TFMain::BDelLoseClick));
  return ticketBar;
}

QWidget* TFMain::buildTicketArea(QWidget* area) {
  auto* work = Widgets::Panel(area, QStringLiteral("Panel4"));
  auto* wl = Widgets::Row(work, 0, 0);
  ticketView_ = new TicketView(check_, work);
  ticketView_->setObjectName(QStringLiteral("Box1"));
  QFont boxFont(QStringLiteral("Tahoma"), 8);
  boxFont.setBold(true);
  ticketView_->setFont(boxFont);
  ticketView_->setAccessibleName(QStringLiteral("Lose"));
  wl->addWidget(ticketView_, 1);
  wl->addWidget(buildResultsColumn());
  return work;
}

QWidget* TFMain::buildResultsColumn() {
  auto* col = Widgets::Panel(this, QStringLiteral("Panel6"));
  col->setFixedWidth(kResultsColumnWidth);
  auto* l = Widgets::Column(col, 0, 0);
  l->addWidget(buildResultsBar(col));
  auto* title = Widgets::Label(col, QStringLiteral("bsSkinLabel2"), QStringLiteral("Gewinnauswertung"));
  title->setFixedHeight(24);
  title->setAlignment(Qt::AlignCenter);
  title->setProperty("role", QStringLiteral("sectionTitle"));
  auto* titleRow = new QHBoxLayout;
  titleRow->setContentsMargins(10, 5, 10, 0);
  titleRow->addWidget(title);
  l->addLayout(titleRow);
  l->addWidget(buildResultGrids(col));
  l->addStretch(1);
  l->addLayout(buildVendorPicture(col));
  return col;
}

QWidget* TFMain::buildResultsBar(QWidget* col) {
  auto* bar = Widgets::Panel(col, QStringLiteral("bsSkinPanel8"));
  bar->setFixedHeight(kBarHeight);
  auto* bl = Widgets::Row(bar, 1, 2);
  bl->addStretch(1);
  bl->addWidget(
      commandButton(Widgets::BarButton(bar, QStringLiteral("bsSkinSpeedButton5"), QString(), 17,
                                       QSize(42, kButtonHeight), QStringLiteral("Foto der Gewinnauswertung")),
                    &TFMain::bsSkinSpeedButton5Click));
  return bar;
}

QWidget* TFMain::buildResultGrids(QWidget* col) {
  auto* grids = Widgets::Panel(col, QStringLiteral("Panel8"));
  grids->setFixedHeight(kResultGridsHeight);
  auto* gl = new QGridLayout(grids);
  gl->setContentsMargins(5, 10, 5, 0);
  gl->setSpacing(0);
  resultTable_ = new QTableView(grids);
  resultTable_->setObjectName(QStringLiteral("GGew"));
  resultTable_->setAccessibleName(QStringLiteral("Gewinnauswertung je Los"));
  resultTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab leaves the tables; the arrow keys move inside them.
  resultTable_->setTabKeyNavigation(false);
  QFont gridFont(QStringLiteral("Tahoma"), 8);
  resultTable_->setFont(gridFont);
  resultModel_ = new ResultModel(check_, gridFont, this);
  resultTable_->setModel(resultModel_);
  InitResultGrid(resultTable_);
  // Reached by Tab, so the keyboard can scroll the results; a click still leaves the focus alone.
  resultTable_->setFocusPolicy(Qt::TabFocus);
  resultScrollBar_ = new QScrollBar(Qt::Vertical, grids);
  resultScrollBar_->setObjectName(QStringLiteral("bsSkinScrollBar2"));
  resultScrollBar_->setFixedWidth(19);
  resultScrollBar_->setAccessibleName(QStringLiteral("Gewinnauswertung blättern"));
  // The skinned bar beside the grid drives the grid's own (hidden) bar and follows it.
  QScrollBar* inner = resultTable_->verticalScrollBar();
  connect(inner, &QScrollBar::rangeChanged, resultScrollBar_, &QScrollBar::setRange);
  connect(inner, &QScrollBar::valueChanged, resultScrollBar_, &QScrollBar::setValue);
  connect(resultScrollBar_, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
  totalsTable_ = new QTableView(grids);
  totalsTable_->setObjectName(QStringLiteral("GGes"));
  totalsTable_->setAccessibleName(QStringLiteral("Summen"));
  totalsTable_->setFont(gridFont);
  totalsTable_->setTabKeyNavigation(false);
  totalsModel_ = new TotalsModel(check_, this);
  totalsTable_->setModel(totalsModel_);
  InitTotalGrid(totalsTable_);
  // The table's border comes on top of its one 16-pixel row.
  totalsTable_->setFocusPolicy(Qt::TabFocus);
  totalsTable_->setFixedHeight(16 + 2 * totalsTable_->frameWidth());
  gl->addWidget(resultTable_, 0, 0);
  gl->addWidget(resultScrollBar_, 0, 1);
  gl->addWidget(totalsTable_, 1, 0, 1, 2);
  return grids;
}

QLayout* TFMain::buildVendorPicture(QWidget* col) {
  vendorPicture_ = new QLabel(col);
  vendorPicture_->setObjectName(QStringLiteral("Image1"));
  vendorPicture_->setFixedSize(kVendorPictureSize);
  vendorPicture_->setPixmap(QIcon(QStringLiteral(":/pictures/werbung.svg")).pixmap(kVendorPictureSize));
  vendorPicture_->setCursor(Qt::PointingHandCursor);
  vendorPicture_->setToolTip(QStringLiteral("Zur Homepage des Herstellers"));
  vendorPicture_->setAccessibleName(vendorPicture_->toolTip());
  vendorPicture_->setFocusPolicy(Qt::TabFocus);
  vendorPicture_->installEventFilter(this);
  auto* imageRow = new QHBoxLayout;
  imageRow->setContentsMargins(5, 0, 5, 5);
  imageRow->addWidget(vendorPicture_);
  return imageRow;
}

void TFMain::createNumberControls() {
  for (int k = 1; k <= 22; ++k) {
    auto* p = new TPZahl(stripPanel_);
    p->move(NumberBoardGeometry::panelPos(k));
    panels_.append(p);
  }
  for (int n = 1; n <= 75; ++n) {
    auto* b = new TBZahl(n, boardPanel_);
    connect(b, &QPushButton::clicked, this, [this, b] { BMusterClick(b); });
    buttons_.append(b);
  }
  new BoardKeys(buttons_, clearChosenButton_, this);
  leftColumn_->setFixedWidth(NumberBoardGeometry::kLeftColumnWidth);
}
