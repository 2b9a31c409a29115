#include "ui/eingabe.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/guard.h"
#include "common/prompter.h"
#include "common/settings.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "ui/accessibility.h"
#include "ui/eingabe_scan.h"
#include "ui/filehistory.h"
#include "ui/frlos2.h"
#include "ui/info.h"
#include "ui/messages.h"
#include "ui/onscreen.h"
#include "ui/recentfiles.h"
#include "ui/shortcuts.h"
#include "ui/skinwidgets.h"

TFEingabe* FEingabe = nullptr;

namespace {

const QString kFilter = QStringLiteral("Lose-Dateien|*.lose");
const QString kSuffix = QStringLiteral("lose");
const QString kOpenTitle = QStringLiteral("Lose-Dateien einlesen");
const QString kSaveTitle = QStringLiteral("Lose-Dateien speichern");
constexpr int kDefaultLeft = 0;
constexpr int kDefaultTop = 70;

QFont tahoma(const QFont& base, int pointSize, bool bold) {
  QFont f = base;
  f.setFamilies({QStringLiteral("Tahoma"), base.family()});
  f.setPointSize(pointSize);
  f.setBold(bold);
  return f;
}

QString germanCount(int n) {
  return QLocale(QLocale::German).toString(n);
}

// Buttons look and are pictured as on the main window: 0 close, 1 delete, 4 open, 6 tickets, 9 info,
// 10 position, 11 save.
SkinButton* barButton(QWidget* parent, const char* name, const QString& caption, int picture, int width,
                      const QString& hint = QString()) {
  auto* b = new SkinButton(QString::fromLatin1(name), caption, picture, QSize(width, 36), parent);
  if (!hint.isEmpty()) b->setHint(hint);
  return b;
}

QLabel* sunkenLabel(QWidget* parent, const char* name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  return l;
}

// Making or removing many frames: the ticket area is repainted once at the end, and a long batch
// shows the wait cursor. Restores both also when the batch ends by an exception.
class FrameBatch {
 public:
  FrameBatch(QWidget* area, int frames) : area_(area), wait_(frames > 50) {
    area_->setUpdatesEnabled(false);
    if (wait_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~FrameBatch() {
    area_->setUpdatesEnabled(true);
    if (wait_) QGuiApplication::restoreOverrideCursor();
  }
  FrameBatch(const FrameBatch&) = delete;
  FrameBatch& operator=(const FrameBatch&) = delete;

 private:
  QWidget* area_;
  bool wait_;
};

}  // namespace

TFEingabe::TFEingabe(QWidget* parent) : QWidget(parent, Qt::Window) {
  InitEntryPictures();
  setObjectName("FEingabe");
  // No buttons in the title bar: the window is closed by "Fenster schließen".
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setMaximumWidth(kMaxWidth);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* topBar = new QFrame(this);
  topBar->setObjectName("bsSkinPanel3");
  topBar->setFixedHeight(40);
  buildTopBar(topBar);
  layout->addWidget(topBar);

  auto* secondBar = new QFrame(this);
  secondBar->setObjectName("bsSkinPanel1");
  secondBar->setFixedHeight(40);
  buildSecondBar(secondBar);
  layout->addWidget(secondBar);

  Box1 = new QScrollArea(this);
  Box1->setObjectName("Box1");
  Box1->setFont(tahoma(font(), 8, true));
  Box1->setWidgetResizable(false);
  boxContent_ = new QWidget;
  boxContent_->setObjectName("Box1Content");
  Box1->setWidget(boxContent_);
  layout->addWidget(Box1, 1);
  boxContent_->resize(boxSizeFor(0));

  InstallEntryShortcuts(this);
  FormCreate();
}

void TFEingabe::buildTopBar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(6);

  bsSkinSpeedButton1 = barButton(bar, "bsSkinSpeedButton1", QStringLiteral("Fenster schließen"), 0, 92);
  row->addWidget(bsSkinSpeedButton1);

  QLabel* title = sunkenLabel(bar, "bsSkinLabel1", QStringLiteral("Eingabe der Loszahlen"));
  title->setAlignment(Qt::AlignCenter);
  title->setFixedWidth(160);
  row->addWidget(title);

  auto* hint = new QLabel(QStringLiteral("Die Loszahlen können z. B. aus einer E-Mail kopiert und in die "
                                         "Textfelder eingefügt werden."),
                          bar);
  hint->setObjectName("Label3");
  hint->setFont(tahoma(font(), 8, true));
  hint->setWordWrap(true);
  row->addWidget(hint, 1);

#ifdef ZIEHFIX_HAVE_SCAN
  row->addWidget(InstallScanCommands(*this, bar));
#endif
  bsSkinSpeedButton8 =
      barButton(bar, "bsSkinSpeedButton8", QString(), 10, 40, QStringLiteral("Fensterposition speichern"));
  row->addWidget(bsSkinSpeedButton8);
  bsSkinSpeedButton7 = barButton(bar, "bsSkinSpeedButton7", QString(), 9, 40, QStringLiteral("Programminfo"));
  row->addWidget(bsSkinSpeedButton7);

  connect(bsSkinSpeedButton1, &QPushButton::clicked, this, [this] { bsSkinSpeedButton1Click(); });
  connect(bsSkinSpeedButton8, &QPushButton::clicked, this, [this] { bsSkinSpeedButton8Click(); });
  connect(bsSkinSpeedButton7, &QPushButton::clicked, this, [this] { bsSkinSpeedButton7Click(); });
}

void TFEingabe::buildSecondBar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 1, 4, 1);
  row->setSpacing(5);

  auto* countLabel = new QLabel(QStringLiteral("Bitte erforderliche Anzahl Lose angeben:"), bar);
  countLabel->setObjectName("Label1");
  countLabel->setFont(tahoma(countLabel->font(), 8, true));
  countLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  countLabel->setWordWrap(true);
  countLabel->setFixedWidth(122);
  row->addWidget(countLabel);

  eAnz = new QLineEdit(QStringLiteral("6"), bar);
  eAnz->setObjectName("eAnz");
  QFont countFont = eAnz->font();
  countFont.setFamilies({QStringLiteral("Arial"), countFont.family()});
  countFont.setPointSize(9);
  countFont.setBold(true);
  eAnz->setFont(countFont);
  eAnz->setAlignment(Qt::AlignCenter);
  eAnz->setFixedSize(36, 20);
  eAnz->installEventFilter(this);
  countLabel->setBuddy(eAnz);
  row->addWidget(eAnz);

  auto* checks = new QVBoxLayout;
  checks->setSpacing(0);
  cbDran = new QCheckBox(QStringLiteral("Neue Lose anhängen"), bar);
  cbDran->setObjectName("cbDran");
  cbNeu = new QCheckBox(QStringLiteral("Lose neu aufbauen"), bar);
  cbNeu->setObjectName("cbNeu");
  cbNeu->setChecked(true);
  checks->addWidget(cbDran);
  checks->addWidget(cbNeu);
  row->addLayout(checks);
  // Checking one box unchecks the other; both may be unchecked.
  connect(cbDran, &QCheckBox::toggled, this, [this](bool on) {
    if (on) cbNeu->setChecked(false);
  });
  connect(cbNeu, &QCheckBox::toggled, this, [this](bool on) {
    if (on) cbDran->setChecked(false);
  });

  bsSkinSpeedButton2 = barButton(bar, "bsSkinSpeedButton2", QStringLiteral("Lose erstellen"), 6, 88);
  BOpen = barButton(bar, "BOpen", QStringLiteral("Lose einlesen..."), 4, 92);
  BSave = barButton(bar, "BSave", QStringLiteral("Lose speichern..."), 11, 100);
  row->addWidget(bsSkinSpeedButton2);
  row->addWidget(BOpen);
  row->addWidget(BSave);

  auto* file = new QVBoxLayout;
  file->setSpacing(0);
  auto* fileCaption = new QLabel(QStringLiteral("Datei"), bar);
  fileCaption->setObjectName("Label2");
  LDatei = sunkenLabel(bar, "LDatei", QString());
  SetAccessibleCaption(LDatei, fileCaption->text());
  LDatei->setMinimumWidth(60);
  LDatei->setTextInteractionFlags(Qt::TextSelectableByMouse);
  file->addWidget(fileCaption);
  file->addWidget(LDatei);
  row->addLayout(file, 1);

  BDelLose = barButton(bar, "BDelLose", QStringLiteral("Alle Lose löschen"), 1, 90);
  row->addWidget(BDelLose);

  connect(bsSkinSpeedButton2, &QPushButton::clicked, this, [this] { bsSkinSpeedButton2Click(); });
  connect(BOpen, &QPushButton::clicked, this, [this] { BOpenClick(); });
  connect(BSave, &QPushButton::clicked, this, [this] { BSaveClick(); });
  connect(BDelLose, &QPushButton::clicked, this, [this] { BDelLoseClick(); });
}

void TFEingabe::FormCreate() {
  runGuarded([&] {
    int left = kDefaultLeft;
    int top = kDefaultTop;
    if (Settings::fileExists()) {
      left = Settings::readInt(QStringLiteral("Position"), QStringLiteral("FEingabe-left"), kDefaultLeft);
      top = Settings::readInt(QStringLiteral("Position"), QStringLiteral("FEingabe-top"), kDefaultTop);
      eAnz->setText(
          Settings::readString(QStringLiteral("Lose"), QStringLiteral("neue"), QStringLiteral("10")));
    }
    move(ReachablePosition({left, top}, {kDefaultLeft, kDefaultTop}));
    setWindowTitle(ProductName);
    resize(kClientWidth, kClientHeight);
    setAcceptDrops(true);
    AttachRecentTicketsMenu(BOpen, [this](const QString& path) { readTicketFile(path); });
  });
}

void TFEingabe::FormClose() {
  runGuarded([&] { Settings::writeString(QStringLiteral("Lose"), QStringLiteral("neue"), eAnz->text()); });
}

void TFEingabe::closeEvent(QCloseEvent* event) {
  FormClose();
  // Closing hides the window; its frames stay for the next showing.
  event->accept();
}

bool TFEingabe::eventFilter(QObject* watched, QEvent* event) {
  if (watched == eAnz && event->type() == QEvent::KeyPress && !eAnzKeyPress(*static_cast<QKeyEvent*>(event)))
    return true;
  return QWidget::eventFilter(watched, event);
}

bool TFEingabe::eAnzKeyPress(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty()) return true;
  const Qt::KeyboardModifiers mods = event.modifiers();
  if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier)) return true;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    const bool control = u < 32 || u == 127;
    const bool digit = u >= u'0' && u <= u'9';
    if (!control && !digit) return false;
  }
  return true;
}

QPoint TFEingabe::framePosition(int n) {
  const int column = (n - 1) % 6;
  const int row = (n - 1) / 6;
  return {column * (TFfrLos2::kWidth + 5) + 5, row * (TFfrLos2::kHeight + 10) + 5};
}

QSize TFEingabe::boxSizeFor(int frames) {
  const int rows = (frames + 5) / 6;
  const int width = 6 * (TFfrLos2::kWidth + 5) + 5;
  const int height = rows == 0 ? 0 : rows * (TFfrLos2::kHeight + 10) + 5;
  return {width, height};
}

TFfrLos2* TFEingabe::LosBauen() {
  const int n = EinLosCount + 1;
  auto* frame = new TFfrLos2(boxContent_);
  frame->setObjectName(QStringLiteral("EinfrLos") + QString::number(n));
  frame->move(framePosition(n));
  frame->PNr->setText(QString::number(n));
  // Screen readers tell the frames apart by their ticket number.
  frame->m1->setAccessibleName(QStringLiteral("Pro Zeile eine Zahl, Los %1").arg(n));
  frame->gLos->setAccessibleName(QStringLiteral("Los %1").arg(n));
  EinLosFrames.append(frame);
  EinLosGrids.append(frame->gLos);
  EinLosCount = n;
  // A batch sizes the area once beforehand; a single frame grows it here.
  if (boxContent_->height() < boxSizeFor(n).height()) boxContent_->resize(boxSizeFor(n));
  frame->show();
  return frame;
}

QList<TFfrLos2*> TFEingabe::appendFrames(int count) {
  QList<TFfrLos2*> made;
  if (!framesFit(count, false, true)) return made;
  FrameBatch batch(Box1, count);
  boxContent_->resize(boxSizeFor(EinLosCount + count));
  for (int i = 0; i < count; ++i) made << LosBauen();
  return made;
}

void TFEingabe::removeAllFrames() {
  for (TFfrLos2* frame : std::as_const(EinLosFrames)) delete frame;
  EinLosFrames.clear();
  EinLosGrids.clear();
  EinLosCount = 0;
  LDatei->clear();
  boxContent_->resize(boxSizeFor(0));
}

bool TFEingabe::framesFit(int count, bool replacing, bool fromFile) {
  if (!fromFile && count > kMaxFramesAtOnce) {
    Prompter::current().information(QStringLiteral("Es können höchstens %1 Lose auf einmal erstellt werden.")
                                        .arg(germanCount(kMaxFramesAtOnce)));
    return false;
  }
  const int present = replacing ? 0 : EinLosCount;
  if (count > kMaxFrames - present) {
    QString text = QStringLiteral("Das Eingabefenster fasst höchstens %1 Lose.").arg(germanCount(kMaxFrames));
    if (present > 0)
      text += QStringLiteral(" Es enthält schon %1, es können also noch %2 hinzukommen.")
                  .arg(germanCount(present), germanCount(kMaxFrames - present));
    if (fromFile) text += QStringLiteral(" Die Datei enthält %1 Lose.").arg(germanCount(count));
    Prompter::current().information(text);
    return false;
  }
  return true;
}

void TFEingabe::bsSkinSpeedButton2Click() {
  runGuarded([&] {
    if (eAnz->text().isEmpty()) eAnz->setText(QStringLiteral("10"));
    const QString text = eAnz->text();
    int count = 0;
    // The count is checked before anything is removed, so a mistyped count loses no tickets.
    if (!ParseStrictInt(text, &count)) throw std::runtime_error(InvalidIntegerMessage(text).toStdString());
    count = std::max(count, 0);
    const bool replacing = cbNeu->isChecked();
    if (!framesFit(count, replacing, false)) return;
    FrameBatch batch(Box1, count);
    if (replacing && EinLosCount > 0) removeAllFrames();
    boxContent_->resize(boxSizeFor(EinLosCount + count));
    for (int i = 0; i < count; ++i) LosBauen();
  });
}

void TFEingabe::BOpenClick() {
  runGuarded([&] {
    const QString path =
        Prompter::current().openFileName(kOpenTitle, kFilter, kSuffix, FileHistory::ticketFolder());
    if (path.isEmpty()) return;
    readTicketFile(path);
  });
}

void TFEingabe::readTicketFile(const QString& path) {
  // Read in full first: a refused or unreadable file leaves the window as it is.
  const TicketList read = ReadTicketFile(path);
  FileHistory::ticketFileUsed(path);
  if (read.count() == 0) {
    Prompter::current().warning(EmptyTicketFileMessage(QFileInfo(path).fileName()));
    return;
  }
  const bool replacing = cbNeu->isChecked();
  if (!framesFit(read.count(), replacing, true)) return;
  FrameBatch batch(Box1, read.count());
  if (replacing && EinLosCount > 0) removeAllFrames();
  boxContent_->resize(boxSizeFor(EinLosCount + read.count()));
  for (int t = 0; t < read.count(); ++t) {
    TicketCells cells = read.cells(t);
    // The reader gives an empty entry as a single space; here it is a free cell again, so that
    // pasted numbers can go there and saving writes it as it was.
    for (QString& cell : cells)
      if (cell == QStringLiteral(" ")) cell.clear();
    LosBauen()->gLos->setCells(cells);
  }
  LDatei->setText(QFileInfo(path).fileName());
}

std::vector<TicketCells> TFEingabe::tickets() const {
  std::vector<TicketCells> out;
  out.reserve(EinLosGrids.size());
  for (TicketEditGrid* grid : EinLosGrids) {
    grid->commitOpenEditor();
    out.push_back(grid->cells());
  }
  return out;
}

void TFEingabe::BSaveClick() {
  runGuarded([&] {
    const QString path = Prompter::current().saveFileName(kSaveTitle, kFilter, kSuffix,
                                                          FileHistory::ticketFolder(), LDatei->text(), false);
    if (path.isEmpty()) return;
    // The proposed name is the last file's, but the folder may be another: an older file of that name
    // there can hold hours of typed tickets.
    if (QFileInfo::exists(path) &&
        !Prompter::current().confirm(
            QStringLiteral("Die Datei „%1“ gibt es schon.\r\rSoll sie ersetzt werden?")
                .arg(QDir::toNativeSeparators(path))))
      return;
    WriteTicketFile(path, tickets());
    FileHistory::ticketFileUsed(path);
    LDatei->setText(QFileInfo(path).fileName());
  });
}

void TFEingabe::BDelLoseClick() {
  runGuarded([&] {
    FrameBatch batch(Box1, EinLosCount);
    removeAllFrames();
  });
}

void TFEingabe::bsSkinSpeedButton8Click() {
  runGuarded([&] { SavePosition(objectName(), x(), y()); });
}

void TFEingabe::bsSkinSpeedButton7Click() {
  runGuarded([] { ShowInfoWindow(); });
}

void TFEingabe::bsSkinSpeedButton1Click() {
  close();
}
