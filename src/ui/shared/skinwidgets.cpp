// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/skinwidgets.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "ui/shared/accessibility.h"

// Q_INIT_RESOURCE declares the initialiser in the namespace it is used in: keep it global.
static void initResources() {
  Q_INIT_RESOURCE(resources);
}

// The layout is measured in Calibri's widths. Carlito has them, but it is not on every system: the
// wider faces found instead cut the hint captions. So the program brings the two faces it uses.
static void loadOwnFonts() {
  for (const char* face : {":/fonts/Carlito-Regular.ttf", ":/fonts/Carlito-Bold.ttf"})
    QFontDatabase::addApplicationFont(QString::fromLatin1(face));
}

static void substituteFonts() {
  const QStringList narrow = {QStringLiteral("DejaVu Sans Condensed"),
                              QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Nimbus Sans Narrow")};
  const QStringList arial = {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                             QStringLiteral("DejaVu Sans")};
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), arial);
  QFont::insertSubstitutions(QStringLiteral("Calibri"), QStringList{QStringLiteral("Carlito")} + narrow);
  QFont::insertSubstitutions(QStringLiteral("Arial"), arial);
  QFont::insertSubstitutions(QStringLiteral("Arial Rounded MT Bold"), arial);
}

void InitLook() {
  static const bool done = (initResources(), loadOwnFonts(), substituteFonts(), InstallAccessibility(), true);
  Q_UNUSED(done);
}

QIcon ImageList1(int index) {
  InitLook();
  return QIcon(QStringLiteral(":/pictures/button%1.svg").arg(index, 2, 10, QLatin1Char('0')));
}

// The widget's font, made smaller step by step until the wrapped caption fits into the rectangle.
static QFont fittingFont(const QFont& font, const QRect& r, const QString& text, int flags) {
  QFont f = font;
  for (int step = 0; step < 6; ++step) {
    const QRect needed = QFontMetrics(f).boundingRect(r, flags, text);
    if (needed.width() <= r.width() && needed.height() <= r.height()) break;
    if (f.pointSizeF() > 0)
      f.setPointSizeF(f.pointSizeF() - 0.5);
    else
      f.setPixelSize(f.pixelSize() - 1);
  }
  return f;
}

SkinButton::SkinButton(const QString& name, const QString& caption, int picture, QSize size, QWidget* parent,
                       Picture side)
    : QPushButton(caption, parent), side_(side) {
  setObjectName(name);
  setFixedSize(size);
  if (picture >= 0) setIcon(ImageList1(picture));
  setIconSize(caption.isEmpty() ? QSize(30, 30) : QSize(24, 24));
  setCursor(Qt::PointingHandCursor);
  UseOwnAccessibleInterface(this);
}

void SkinButton::setHint(const QString& hint) {
  setToolTip(hint);
  if (text().isEmpty()) setAccessibleName(hint);
}

void SkinButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  const QString caption = opt.text;
  const QIcon icon = opt.icon;
  opt.text.clear();
  opt.icon = QIcon();
  p.drawControl(QStyle::CE_PushButton, opt);

  const QRect inner = rect().adjusted(3, 2, -3, -2);
  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  if (caption.isEmpty()) {
    icon.paint(&p, inner, Qt::AlignCenter, mode);
    return;
  }
  QRect textRect = inner;
  // A narrow button has room for its caption only; the picture shows on the wider ones.
  if (!icon.isNull() && width() >= 60) {
    const int w = iconSize().width();
    QRect iconRect = inner;
    if (side_ == Picture::Left) {
      iconRect.setWidth(w);
      textRect.setLeft(iconRect.right() + 3);
    } else {
      iconRect.setLeft(inner.right() - w + 1);
      textRect.setRight(iconRect.left() - 3);
    }
    icon.paint(&p, iconRect, Qt::AlignCenter, mode);
  }
  p.setPen(opt.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  const int flags = Qt::AlignCenter | Qt::TextWordWrap;
  p.setFont(fittingFont(font(), textRect, caption, flags));
  p.drawText(textRect, flags, caption);
}

WrapCheckBox::WrapCheckBox(const QString& name, const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
  setObjectName(name);
}

void WrapCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  const QString caption = opt.text;
  opt.text.clear();
  const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, this);
  QStyleOptionButton ind = opt;
  ind.rect = QRect(QPoint(indicator.left(), (height() - indicator.height()) / 2), indicator.size());
  p.drawPrimitive(QStyle::PE_IndicatorCheckBox, ind);
  const QRect textRect = rect().adjusted(ind.rect.right() + 5, 0, 0, 0);
  p.setPen(opt.palette.color(QPalette::WindowText));
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
  p.setFont(fittingFont(font(), textRect, caption, flags));
  p.drawText(textRect, flags, caption);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = textRect.adjusted(-2, 0, 0, 0);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrapCheckBox::hitButton(const QPoint& pos) const {
  return rect().contains(pos);
}
