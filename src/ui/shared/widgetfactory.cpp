// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/widgetfactory.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "ui/shared/skinwidgets.h"

namespace Widgets {

QFrame* Panel(QWidget* parent, const QString& name, QFrame::Shape shape) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(shape);
  return panel;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* SunkenLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = Label(parent, name, text);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  return label;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

SkinButton* BarButton(QWidget* parent, const QString& name, const QString& caption, int picture, QSize size,
                      const QString& hint) {
  auto* button = new SkinButton(name, caption, picture, size, parent);
  if (!hint.isEmpty()) button->setHint(hint);
  return button;
}

QToolButton* PictureButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip,
                           QSize iconSize) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  if (!icon.isNull()) button->setIcon(icon);
  button->setIconSize(iconSize);
  button->setAutoRaise(true);
  button->setToolTip(toolTip);
  button->setAccessibleName(toolTip);
  return button;
}

QHBoxLayout* Row(QWidget* widget, int margin, int spacing) {
  auto* layout = new QHBoxLayout(widget);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(spacing);
  return layout;
}

QVBoxLayout* Column(QWidget* widget, int margin, int spacing) {
  auto* layout = new QVBoxLayout(widget);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(spacing);
  return layout;
}

QFont FontOf(const QFont& base, const QStringList& families, int pointSize, bool bold) {
  QFont font = base;
  font.setFamilies(families + QStringList{base.family()});
  font.setPointSize(pointSize);
  font.setBold(bold);
  return font;
}

}  // namespace Widgets
