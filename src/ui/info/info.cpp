// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info/info.h"
#include "ui/shared/widgetfactory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include "common/appinfo.h"
#include "net/online.h"
#include "ui/info/infobackground.h"
#include "ui/info/infoqrcode.h"
#include "ui/shared/formexists.h"
#include "ui/shared/guard.h"
#include "ui/shared/windowplace.h"
#include "ui/update/services.h"

QPointer<TFInfo> FInfo;

// The pictures live in the ui library's resources, which a static library only registers when asked
// (outside any namespace, where the resource function is defined).
static void registerResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  Q_UNUSED(done);
}

namespace {
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 300;
constexpr int kContactLineHeight = 15;
constexpr QRect kQrBox(48, 72, 105, 105);

QWidget* mainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("FMain")) return w;
  return nullptr;
}

QPixmap renderSvg(const QString& path, const QSize& size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(path);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QLabel* contactLabel(QWidget* panel, const char* name, const QString& text) {
  auto* label = Widgets::Label(panel, QLatin1String(name), text);
  label->setTextFormat(Qt::PlainText);
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(12);
  f.setBold(true);
  label->setFont(f);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, QColor(250, 251, 235));
  label->setPalette(p);
  label->setFixedHeight(kContactLineHeight);
  // A move over a label is the label's own: it must not count as a move over the free part of
  // the panel beneath.
  label->setAttribute(Qt::WA_NoMousePropagation);
  panel->layout()->addWidget(label);
  return label;
}
}  // namespace

TFInfo::TFInfo(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) {
  registerResources();
  setObjectName(QStringLiteral("FInfo"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildLayout();
  FormCreate();

  CentreOver(this, parent);
  FInfo = this;
}

TFInfo::~TFInfo() = default;

QString TFInfo::mailLink() {
  return QStringLiteral("mailto:") + VendorMail + QStringLiteral("?subject=") + ProductName;
}

void TFInfo::buildLayout() {
  QFont windowFont(QStringLiteral("Arial"));
  windowFont.setPixelSize(11);
  setFont(windowFont);
  QPalette black = palette();
  black.setColor(QPalette::WindowText, Qt::black);
  setPalette(black);

  auto* image1 = new QLabel(this);
  image1->setObjectName(QStringLiteral("Image1"));
  image1->setGeometry(0, 0, kClientWidth, kClientHeight);
  image1->setPixmap(InfoBackground(ProductName));

  LVersion = new QLabel(this);
  LVersion->setObjectName(QStringLiteral("LVersion"));
  LVersion->setTextFormat(Qt::PlainText);
  LVersion->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QFont versionFont(QStringLiteral("Tahoma"));
  versionFont.setPixelSize(11);
  versionFont.setBold(true);
  LVersion->setFont(versionFont);

  // The close button shows the main window's picture 0, the green door.
  bsSkinSpeedButton3 = new QPushButton(QStringLiteral("Schließen"), this);
  bsSkinSpeedButton3->setObjectName(QStringLiteral("bsSkinSpeedButton3"));
  bsSkinSpeedButton3->setIcon(QIcon(renderSvg(QStringLiteral(":/pictures/button00.svg"), QSize(36, 36))));
  bsSkinSpeedButton3->setIconSize(QSize(24, 24));
  bsSkinSpeedButton3->setGeometry(291, 250, 95, 38);
  connect(bsSkinSpeedButton3, &QPushButton::clicked, this, &TFInfo::bsSkinSpeedButton3Click);

  // The code fits its box whole: a cut-off QR code cannot be read.
  auto* image2 = new QLabel(this);
  image2->setObjectName(QStringLiteral("Image2"));
  image2->setGeometry(kQrBox);
  image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QImage code = QrCodeImage(VendorHomePageUrl.toUtf8(), kQrBox.width());
  image2->setPixmap(QPixmap::fromImage(code));
  // The version line goes right under the code: at the height of the code's middle, where a code
  // filling the box would lie over it, it could not be read.
  LVersion->setGeometry(kQrBox.left(), kQrBox.top() + code.height() + 4, kQrBox.width(), 16);
  image2->setToolTip(VendorHomePageUrl);
  image2->setAccessibleName(VendorHomePageUrl);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setGeometry(28, 203, 157, 137);
  Panel1->setMouseTracking(true);
  Panel1->installEventFilter(this);
  auto* stack = new QVBoxLayout(Panel1);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->setSpacing(0);
  Label1 = contactLabel(Panel1, "Label1", QStringLiteral("Der Autor:"));
  LName = contactLabel(Panel1, "LName", QString());
  LStrasse = contactLabel(Panel1, "LStrasse", QString());
  LPLZOrt = contactLabel(Panel1, "LPLZOrt", QString());
  LFax = contactLabel(Panel1, "LFax", QString());
  LMail = contactLabel(Panel1, "LMail", QString());
  LTelefon = contactLabel(Panel1, "LTelefon", QString());
  stack->addStretch(1);
  LFax->hide();
  LTelefon->hide();

  QFont mailFont = LMail->font();
  mailFont.setUnderline(true);
  LMail->setFont(mailFont);
  LMail->setCursor(Qt::PointingHandCursor);
  LMail->setMouseTracking(true);
  // Reachable from the keyboard as well: Tab to it, then Return or Space.
  LMail->setFocusPolicy(Qt::StrongFocus);
  LMail->installEventFilter(this);
}

void TFInfo::FormCreate() {
  setFixedSize(kClientWidth, kClientHeight);
  LVersion->setText(QStringLiteral("Version ") + ProgramVersion);
  setWindowTitle(ProductName);
  LName->setText(VendorName);
  LStrasse->setText(VendorStreet);
  LPLZOrt->setText(VendorTown);
  LFax->setText(VendorFax);
  LMail->setText(VendorMail);
  LTelefon->setText(VendorTelephone);
}

bool TFInfo::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LMail) {
    switch (event->type()) {
      case QEvent::MouseMove:
        Label5MouseMove();
        break;
      case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() == Qt::LeftButton && LMail->rect().contains(e->position().toPoint())) LMailClick();
        break;
      }
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
          LMailClick();
          return true;
        }
        break;
      }
      default:
        break;
    }
  } else if (watched == Panel1 && event->type() == QEvent::MouseMove) {
    Panel1MouseMove();
  }
  return QWidget::eventFilter(watched, event);
}

void TFInfo::LMailClick() {
  // No connection test: the mail program may well send later.
  runGuarded([] { OnlineServices::current().ShellOpen(mailLink()); });
}

void TFInfo::Label5MouseMove() {
  SetScreenCursor(Qt::PointingHandCursor);
}

void TFInfo::Panel1MouseMove() {
  SetScreenCursor(Qt::ArrowCursor);
}

void TFInfo::bsSkinSpeedButton3Click() {
  close();
}

void TFInfo::closeEvent(QCloseEvent* event) {
  SetScreenCursor(Qt::ArrowCursor);
  event->accept();
}

void ShowInfoWindow() {
  runGuarded([] {
    TFInfo* window = FormExists(QStringLiteral("FInfo")) ? FInfo : nullptr;
    if (window)
      window->showNormal();
    else
      window = new TFInfo(mainWindow());
    window->show();
    window->raise();
    window->activateWindow();
  });
}
