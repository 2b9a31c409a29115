// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe.h"

#include <QApplication>
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
#include <QScrollBar>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/guard.h"
#include "common/prompter.h"
#include "common/settings.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "ui/accessibility.h"
#include "ui/eingabe_scan.h"
#include "ui/filedrop.h"
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
  // The frames follow the view: scrolling and resizing hand them to the tickets that come into it.
  connect(Box1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { layoutFrames(); });
  Box1->viewport()->installEventFilter(this);

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
  ForwardFileDrops(eAnz);
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
  if (watched == Box1->viewport() && event->type() == QEvent::Resize) layoutFrames();
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

namespace {

// The ticket as its frame shows it (an open cell editor already taken over).
EntryTicket shownTicket(const TFfrLos2& frame) {
  EntryTicket t;
  t.cells = frame.gLos->cells();
  t.doubtful = frame.gLos->doubtfulCells();
  t.memo = frame.memoText();
  return t;
}

}  // namespace

std::pair<int, int> TFEingabe::liveRange() const {
  constexpr int kRow = TFfrLos2::kHeight + 10;
  const int top = Box1->verticalScrollBar()->value();
  const int height = std::max(Box1->viewport()->height(), kMinLiveHeight);
  const int rows = (EinLosCount + 5) / 6;
  // Rows partly in view, and one more on either side for Tab and Shift+Tab to move into.
  const int firstRow = std::max(0, (top - 5) / kRow - 1);
  const int lastRow = std::min(rows - 1, (top + height - 5) / kRow + 1);
  if (lastRow < firstRow) return {0, 0};
  return {firstRow * 6, std::min(EinLosCount, (lastRow + 1) * 6)};
}

TFfrLos2* TFEingabe::makeFrame() {
  if (!spare_.empty()) {
    TFfrLos2* frame = spare_.back();
    spare_.pop_back();
    return frame;
  }
  return new TFfrLos2(boxContent_);
}

void TFEingabe::retireFrame(TFfrLos2* frame) {
  frame->hide();
  frame->setParent(nullptr);
  frame->deleteLater();
}

void TFEingabe::loadFrame(int index, TFfrLos2* frame) {
  const int n = index + 1;
  frame->setObjectName(QStringLiteral("EinfrLos") + QString::number(n));
  frame->move(framePosition(n));
  frame->setNumber(n);
  // Screen readers tell the frames apart by their ticket number.
  frame->m1->setAccessibleName(QStringLiteral("Pro Zeile eine Zahl, Los %1").arg(n));
  frame->gLos->setAccessibleName(QStringLiteral("Los %1").arg(n));
  const EntryTicket t = model_.ticket(index);
  frame->gLos->setCurrentIndex(QModelIndex());
  frame->gLos->setCells(t.cells);
  frame->gLos->setDoubtfulCells(t.doubtful);
  if (!t.memo.isEmpty() || !frame->m1->document()->isEmpty()) frame->setMemoText(t.memo);
  frame->show();
}

void TFEingabe::storeFrame(int index, TFfrLos2* frame) {
  // The frame goes to another ticket: what its cell editor holds is taken over first.
  if (frame->isAncestorOf(QApplication::focusWidget())) Box1->setFocus(Qt::OtherFocusReason);
  frame->gLos->closeOpenEditor();
  model_.setTicket(index, shownTicket(*frame));
}

void TFEingabe::layoutFrames() {
  // A scroll while frames are handed over (the content shrinking, the focus moving) comes back here.
  if (layingOut_) {
    layoutAgain_ = true;
    return;
  }
  layingOut_ = true;
  do {
    layoutAgain_ = false;
    const auto [first, last] = liveRange();
    std::vector<TFfrLos2*> freed;
    for (auto it = live_.begin(); it != live_.end();) {
      if (it->first >= first && it->first < last) {
        ++it;
        continue;
      }
      storeFrame(it->first, it->second);
      freed.push_back(it->second);
      it = live_.erase(it);
    }
    bool changed = !freed.empty();
    for (int index = first; index < last; ++index) {
      if (live_.count(index)) continue;
      TFfrLos2* frame = freed.empty() ? makeFrame() : freed.back();
      if (!freed.empty()) freed.pop_back();
      loadFrame(index, frame);
      live_.emplace(index, frame);
      changed = true;
    }
    for (TFfrLos2* frame : freed) retireFrame(frame);
    for (TFfrLos2* frame : spare_) retireFrame(frame);
    spare_.clear();
    if (changed) {
      EinLosFrames.clear();
      EinLosGrids.clear();
      for (const auto& [index, frame] : live_) {
        EinLosFrames.append(frame);
        EinLosGrids.append(frame->gLos);
      }
      orderTabChain();
    }
  } while (layoutAgain_);
  layingOut_ = false;
}

void TFEingabe::orderTabChain() {
  QWidget* previous = nullptr;
  for (TFfrLos2* frame : std::as_const(EinLosFrames)) {
    for (QWidget* w : {static_cast<QWidget*>(frame->BDel), static_cast<QWidget*>(frame->bsSkinSpeedButton2),
                       static_cast<QWidget*>(frame->bsSkinSpeedButton1), static_cast<QWidget*>(frame->m1),
                       static_cast<QWidget*>(frame->gLos)}) {
      if (previous) QWidget::setTabOrder(previous, w);
      previous = w;
    }
  }
}

void TFEingabe::ticketsChanged() {
  EinLosCount = model_.count();
  boxContent_->resize(boxSizeFor(EinLosCount));
  layoutFrames();
}

TFfrLos2* TFEingabe::LosBauen() {
  model_.appendEmpty(1);
  ticketsChanged();
  showTicket(EinLosCount - 1);
  return frameOf(EinLosCount - 1);
}

void TFEingabe::showTicket(int index) {
  const QPoint at = framePosition(index + 1);
  Box1->ensureVisible(at.x() + TFfrLos2::kWidth / 2, at.y() + TFfrLos2::kHeight / 2, TFfrLos2::kWidth / 2 + 5,
                      TFfrLos2::kHeight / 2 + 5);  // the scroll hands out the frames
}

QList<TFfrLos2*> TFEingabe::appendFrames(int count) {
  QList<TFfrLos2*> made;
  if (!framesFit(count, false, true)) return made;
  const int first = EinLosCount;
  model_.appendEmpty(count);
  ticketsChanged();
  for (int index = first; index < EinLosCount; ++index)
    if (TFfrLos2* frame = frameOf(index)) made << frame;
  return made;
}

bool TFEingabe::appendTickets(const std::vector<EntryTicket>& tickets) {
  if (!framesFit(int(tickets.size()), false, true)) return false;
  const int first = EinLosCount;
  for (const EntryTicket& t : tickets) model_.append(t);
  ticketsChanged();
  // The user is to check what came in: the first of it in view.
  if (!tickets.empty()) showTicket(first);
  return true;
}

EntryTicket TFEingabe::ticket(int index) const {
  TFfrLos2* frame = frameOf(index);
  if (!frame) return model_.ticket(index);
  frame->gLos->commitOpenEditor();
  return shownTicket(*frame);
}

TFfrLos2* TFEingabe::frameOf(int index) const {
  const auto it = live_.find(index);
  return it == live_.end() ? nullptr : it->second;
}

void TFEingabe::removeAllFrames() {
  // The frames wait for the next tickets, since making them is what costs the time; the caller's
  // layout hands them out or lets them go.
  const bool laying = std::exchange(layingOut_, true);
  for (const auto& [index, frame] : live_) {
    if (frame->isAncestorOf(QApplication::focusWidget())) Box1->setFocus(Qt::OtherFocusReason);
    frame->gLos->closeOpenEditor();
    frame->hide();
    frame->setObjectName(QString());
    spare_.push_back(frame);
  }
  live_.clear();
  EinLosFrames.clear();
  EinLosGrids.clear();
  model_.clear();
  EinLosCount = 0;
  LDatei->clear();
  boxContent_->resize(boxSizeFor(0));
  layingOut_ = laying;
  layoutAgain_ = false;
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
    model_.appendEmpty(count);
    ticketsChanged();
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
  TicketList read = ReadTicketFile(path);
  FileHistory::ticketFileUsed(path);
  if (read.count() == 0) {
    Prompter::current().warning(EmptyTicketFileMessage(QFileInfo(path).fileName()));
    return;
  }
  const bool replacing = cbNeu->isChecked();
  if (!framesFit(read.count(), replacing, true)) return;
  FrameBatch batch(Box1, read.count());
  if (replacing && EinLosCount > 0) removeAllFrames();
  model_.appendRead(std::move(read));
  ticketsChanged();
  LDatei->setText(QFileInfo(path).fileName());
}

std::vector<TicketCells> TFEingabe::tickets() const {
  std::vector<TicketCells> out = model_.allCells();
  for (const auto& [index, frame] : live_) {
    frame->gLos->commitOpenEditor();
    out[std::size_t(index)] = frame->gLos->cells();
  }
  return out;
}

int TFEingabe::doubtfulCellCount() const {
  int count = 0;
  for (int index = 0; index < EinLosCount; ++index) {
    if (TFfrLos2* frame = frameOf(index)) {
      frame->gLos->commitOpenEditor();
      const std::array<bool, 25>& marks = frame->gLos->doubtfulCells();
      count += int(std::count(marks.begin(), marks.end(), true));
    } else {
      count += model_.doubtfulCount(index);
    }
  }
  return count;
}

void TFEingabe::BSaveClick() {
  runGuarded([&] {
    // Numbers a picture reader was not sure of are saved only when the user says so.
    const int doubtful = doubtfulCellCount();
    if (doubtful > 0 &&
        !Prompter::current().confirm(
            doubtful == 1 ? QStringLiteral("1 Zahl ist noch zu prüfen. Trotzdem speichern?")
                          : QStringLiteral("%1 Zahlen sind noch zu prüfen. Trotzdem speichern?")
                                .arg(germanCount(doubtful))))
      return;
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
    ticketsChanged();
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
