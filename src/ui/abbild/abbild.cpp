// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/abbild/abbild.h"
#include "ui/shared/widgetfactory.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <new>
#include <stdexcept>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/text.h"
#include "ui/abbild/jpegencoder.h"
#include "ui/main/tickets/ticketview.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/guard.h"
#include "ui/shared/onscreen.h"
#include "ui/shared/prompter.h"
#include "ui/shared/shortcuts.h"

QString ShotSaveDir;
QPointer<TFAbbild> FAbbild;

namespace {

// Numbers the snapshot windows of this run, both capture kinds together.
int g_snapshotCount = 0;

// The picture ends this far below the top of the last ticket row: the frame and a 14 pixel strip.
constexpr int WhiteStrip = 14;
constexpr int BelowLastRowTop = TicketFrameGeometry::kHeight + WhiteStrip;

constexpr int ButtonWidth = 44;
constexpr int ButtonHeight = 38;
constexpr int ToolBarHeight = SnapshotToolBarsHeight / 2;

const char* const NoPictureText = "Kein Bild im Speicher";

QToolButton* makePictureButton(QWidget* parent, const char* name, const QString& toolTip, const QIcon& icon) {
  auto* button = Widgets::PictureButton(parent, QString::fromLatin1(name), icon, toolTip, QSize(24, 24));
  button->setFixedSize(ButtonWidth, ButtonHeight);
  return button;
}

QFrame* makeToolBar(QWidget* parent, const char* name) {
  auto* bar = Widgets::Panel(parent, QString::fromLatin1(name), QFrame::StyledPanel);
  bar->setFixedHeight(ToolBarHeight);
  Widgets::Row(bar, 1, 0);
  return bar;
}

// The pictures of the four buttons, 16 x 16, drawn here so that the window needs no resource file.
const char ClosePicture[] =
    "<rect x='1.5' y='1.5' width='13' height='13' rx='2' fill='#c0392b' stroke='#7b241c'/>"
    "<path d='M5 5 L11 11 M11 5 L5 11' stroke='#ffffff' stroke-width='2' stroke-linecap='round'/>";
const char PositionPicture[] =
    "<rect x='1.5' y='2.5' width='13' height='11' rx='1' fill='#ffffff' stroke='#34495e'/>"
    "<rect x='1.5' y='2.5' width='13' height='3' fill='#2e86c1' stroke='#34495e'/>"
    "<circle cx='8' cy='9.5' r='2.2' fill='#c0392b'/>";
const char SavePicture[] =
    "<path d='M2 2 H12 L14 4 V14 H2 Z' fill='#2e86c1' stroke='#1b4f72'/>"
    "<rect x='5' y='2.5' width='6' height='4' fill='#d6eaf8'/>"
    "<rect x='4' y='8.5' width='8' height='5' fill='#ffffff'/>"
    "<path d='M5.5 10.5 L7 9.2 L8.5 10.8 L10.5 9.5' stroke='#27ae60' fill='none'/>";
const char CopyPicture[] =
    "<rect x='1.5' y='1.5' width='9' height='10' rx='1' fill='#ffffff' stroke='#34495e'/>"
    "<rect x='5.5' y='4.5' width='9' height='10' rx='1' fill='#d6eaf8' stroke='#2e86c1'/>"
    "<path d='M7.5 8 H12.5 M7.5 10 H12.5 M7.5 12 H11' stroke='#2e86c1'/>";

QIcon pictureIcon(const char* shapes) {
  const QByteArray svg = QByteArrayLiteral(
                             "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16' "
                             "viewBox='0 0 16 16'>") +
                         shapes + QByteArrayLiteral("</svg>");
  QSvgRenderer renderer(svg);
  QIcon icon;
  for (const int side : {24, 48}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

// The chosen name with its extension replaced by ".jpg", or ".jpg" added when it has none. A dot at
// the start of the file name (a hidden file) begins no extension.
QString withJpgExtension(const QString& path) {
  const int nameStart =
      int(std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')))) + 1;
  const int dot = int(path.lastIndexOf(QLatin1Char('.')));
  if (dot > nameStart) return path.left(dot) + QStringLiteral(".jpg");
  return path + QStringLiteral(".jpg");
}

QString textOf(QWidget* mainWindow, const char* name) {
  QObject* label = mainWindow->findChild<QObject*>(QString::fromLatin1(name));
  return label ? label->property("text").toString() : QString();
}

TFAbbild* openSnapshotWindow(const QImage& picture, const QString& caption, QWidget* parent,
                             const QString& pictureName) {
  auto* window = new TFAbbild(parent);
  window->findChild<QLabel*>(QStringLiteral("Image1"))->setAccessibleName(pictureName);
  FAbbild = window;
  ++g_snapshotCount;
  window->setObjectName(QStringLiteral("FAbbild") + QString::number(g_snapshotCount));
  window->setWindowTitle(caption);
  window->setPicture(picture);
  window->resize(picture.width(), picture.height() + SnapshotToolBarsHeight);
  window->show();
  return window;
}

void captureTickets(QWidget* mainWindow) {
  const int count = mainWindow->property("LosCount").toInt();
  if (count <= 0) {
    Prompter::current().information(QStringLiteral("Es gibt kein Los für ein Foto.\r\rIch breche ab."));
    return;
  }
  auto* box = mainWindow->findChild<QAbstractScrollArea*>(QStringLiteral("Box1"));
  if (!box) throw std::runtime_error("Der Losbereich Box1 fehlt");
  // Top edge of the last ticket frame within the visible area of the box.
  const qint64 visibleTop = TicketFrameGeometry::frameTop(count - 1) - box->verticalScrollBar()->value();
  const int visibleHeight = box->viewport()->height();
  qint64 height = visibleTop + BelowLastRowTop;
  if (height > visibleHeight) height = visibleHeight + WhiteStrip;
  // The last row lies above the visible area only when the box scrolls beyond its tickets; the
  // picture then keeps at least the strip with the watermark.
  height = std::max<qint64>(height, WhiteStrip);
  CaptureSnapshot(box, textOf(mainWindow, "LDatei"), int(height), 0, 13, mainWindow);
}

void captureResults(QWidget* mainWindow) {
  QWidget* panel = mainWindow->findChild<QWidget*>(QStringLiteral("Panel8"));
  if (!panel) panel = mainWindow->findChild<QWidget*>(QStringLiteral("Panel6"));
  if (!panel) throw std::runtime_error("Die Ergebnistafel Panel8 fehlt");
  CaptureSnapshot(panel, textOf(mainWindow, "LDatei"), -WhiteStrip, 0, 13, mainWindow);
}

}  // namespace

TFAbbild::TFAbbild(QWidget* parent) : QWidget(parent) {
  // Before the first button: Qt keeps the interface it makes for a widget before ours are known.
  InstallAccessibility();
  // A snapshot window is always a window of its own; with a parent it goes when the parent goes.
  setWindowFlag(Qt::Window, true);
  // Closing the last visible snapshot window must never end the program.
  setAttribute(Qt::WA_QuitOnClose, false);
  setObjectName(QStringLiteral("FAbbild"));
  setWindowTitle(QStringLiteral("FAbbild"));

  QFrame* bsSkinPanel2 = makeToolBar(this, "bsSkinPanel2");
  QToolButton* BClose =
      makePictureButton(bsSkinPanel2, "BClose", QStringLiteral("Schließen"), pictureIcon(ClosePicture));
  auto* PQual2 = new QFrame(bsSkinPanel2);
  PQual2->setObjectName(QStringLiteral("PQual2"));
  auto* qualLayout = new QHBoxLayout(PQual2);
  qualLayout->setContentsMargins(0, 0, 0, 0);
  QToolButton* bsSkinSpeedButton13 =
      makePictureButton(PQual2, "bsSkinSpeedButton13", QStringLiteral("Fensterposition speichern"),
                        pictureIcon(PositionPicture));
  qualLayout->addWidget(bsSkinSpeedButton13);
  bsSkinPanel2->layout()->addWidget(BClose);
  static_cast<QHBoxLayout*>(bsSkinPanel2->layout())->addStretch(1);
  bsSkinPanel2->layout()->addWidget(PQual2);

  QFrame* bsSkinPanel1 = makeToolBar(this, "bsSkinPanel1");
  QToolButton* BSave = makePictureButton(bsSkinPanel1, "BSave", QStringLiteral("Als JPEG-Datei speichern"),
                                         pictureIcon(SavePicture));
  QToolButton* bsSkinSpeedButton1 =
      makePictureButton(bsSkinPanel1, "bsSkinSpeedButton1", QStringLiteral("In Zwischenablage kopieren"),
                        pictureIcon(CopyPicture));
  bsSkinPanel1->layout()->addWidget(BSave);
  static_cast<QHBoxLayout*>(bsSkinPanel1->layout())->addStretch(1);
  bsSkinPanel1->layout()->addWidget(bsSkinSpeedButton1);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // The picture keeps its natural size and never widens the window beyond the client size given.
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bsSkinPanel2);
  layout->addWidget(bsSkinPanel1);
  layout->addWidget(Image1, 1);

  connect(BClose, &QToolButton::clicked, this, [this] { runGuarded([this] { BCloseClick(); }); });
  connect(BSave, &QToolButton::clicked, this, [this] { runGuarded([this] { BSaveClick(); }); });
  connect(bsSkinSpeedButton1, &QToolButton::clicked, this,
          [this] { runGuarded([this] { bsSkinSpeedButton1Click(); }); });
  connect(bsSkinSpeedButton13, &QToolButton::clicked, this,
          [this] { runGuarded([this] { bsSkinSpeedButton13Click(); }); });

  Image1->setAccessibleName(QStringLiteral("Abbild"));
  InstallSnapshotShortcuts(this);

  resize(592, 529);
  runGuarded([this] { FormCreate(); });
}

TFAbbild::~TFAbbild() = default;

void TFAbbild::FormCreate() {
  const QPoint fallback = Setting::kSnapshotPlace.fallback().topLeft();
  int left = fallback.x();
  int top = fallback.y();
  if (Settings::fileExists()) {
    // Every snapshot window shares the one stored position, whatever its own name.
    const QPoint stored = Settings::position(Setting::kSnapshotPlace);
    left = stored.x();
    top = stored.y();
    ShotSaveDir = Settings::get(Setting::kSnapshotFolder);
  }
  if (ShotSaveDir.isEmpty()) {
    ShotSaveDir = ShotsDir();
    QDir().mkpath(ShotSaveDir);
  }
  // Left of the only screen is set right on showing; off every screen otherwise (a monitor since
  // removed), the window opens at the default place.
  const QPoint onShow(QGuiApplication::screens().size() == 1 ? std::max(left, 0) : left, top);
  const QPoint reachable = ReachablePosition(onShow, fallback);
  move(reachable == onShow ? QPoint(left, top) : reachable);
}

void TFAbbild::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TFAbbild::FormShow() {
  if (QGuiApplication::screens().size() == 1 && x() < 0) move(0, y());
}

void TFAbbild::setPicture(const QImage& picture) {
  picture_ = picture;
  Image1->setPixmap(QPixmap::fromImage(picture_));
}

void TFAbbild::BCloseClick() {
  close();
}

void TFAbbild::BSaveClick() {
  if (picture_.isNull() || picture_.width() <= 0 || picture_.height() <= 0) {
    Prompter::current().warning(QString::fromUtf8(NoPictureText));
    return;
  }
  const QString chosen = Prompter::current().saveFileName(
      QStringLiteral("Abbildung speichern"), QStringLiteral("Abbildungen|*.jpg"), QStringLiteral("jpg"),
      ShotSaveDir, windowTitle(), true);
  if (chosen.isEmpty()) return;
  const QString target = withJpgExtension(chosen);
  // The dialog asked only about the name as typed; the name actually written needs its own question.
  if (target != chosen && QFileInfo::exists(target) &&
      !Prompter::current().confirm(QStringLiteral("Die Datei „%1“ gibt es schon.\r\rSoll sie ersetzt werden?")
                                       .arg(QDir::toNativeSeparators(target))))
    return;
  const std::vector<unsigned char> jpeg = EncodeJpeg(picture_, 100, true);
  WriteFileAtomically(target, QByteArray(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size())));
  ShotSaveDir = QFileInfo(target).absolutePath();
  if (!ShotSaveDir.endsWith(QLatin1Char('/'))) ShotSaveDir += QLatin1Char('/');
  Settings::set(Setting::kSnapshotFolder, ShotSaveDir);
}

void TFAbbild::bsSkinSpeedButton1Click() {
  if (picture_.isNull()) {
    Prompter::current().warning(QString::fromUtf8(NoPictureText));
    return;
  }
  QGuiApplication::clipboard()->setImage(picture_);
}

void TFAbbild::bsSkinSpeedButton13Click() {
  Settings::setPosition(Setting::kSnapshotPlace, pos());
}

QImage ComposeSnapshot(QWidget* control, int width, int height, int textRight, int textBottom) {
  if (width <= 0 || height <= 0) throw std::runtime_error("Der Bereich für das Foto ist leer");
  QImage picture(width, height, QImage::Format_RGB32);
  if (picture.isNull()) throw std::bad_alloc();
  picture.fill(Qt::white);
  QPainter painter(&picture);
  // Rendered from the widget, not read from the screen: covering windows never show in the picture.
  const QPixmap pixels = control->grab(QRect(0, 0, control->width(), control->height()));
  painter.drawPixmap(0, 0, pixels);
  QFont font = QApplication::font();
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(Qt::white);
  const QPoint topLeft(width - 90 - textRight, height - textBottom);
  painter.drawText(QRect(topLeft, QSize(1000, 100)), Qt::AlignLeft | Qt::AlignTop, ProductName);
  return picture;
}

TFAbbild* CaptureSnapshot(QWidget* panel, const QString& caption, int heightArgument, int textRight,
                          int textBottom, QWidget* parent) {
  const QImage picture =
      ComposeSnapshot(panel, panel->width(), panel->height() - heightArgument, textRight, textBottom);
  return openSnapshotWindow(picture, caption, parent, QStringLiteral("Abbild der Gewinnauswertung"));
}

TFAbbild* CaptureSnapshot(QAbstractScrollArea* box, const QString& caption, int heightArgument, int textRight,
                          int textBottom, QWidget* parent) {
  // Only the visible part of the box: its viewport, never the whole content.
  QWidget* visible = box->viewport();
  const QImage picture = ComposeSnapshot(visible, visible->width(), heightArgument, textRight, textBottom);
  return openSnapshotWindow(picture, caption, parent, QStringLiteral("Abbild der Lose"));
}

void CaptureSnapshot(QWidget* mainWindow, SnapshotKind kind) {
  runGuarded([&] {
    if (kind == SnapshotKind::Tickets)
      captureTickets(mainWindow);
    else
      captureResults(mainWindow);
  });
}
