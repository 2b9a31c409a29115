// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QIcon>
#include <QSize>
#include <QString>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;
class SkinButton;

// The widgets every window builds from. Each carries the object name it is known by (tests, the
// accessibility checks and the shortcuts find it under that name); buttons that show only a picture are
// named for screen readers by their tooltip.
namespace Widgets {

QFrame* Panel(QWidget* parent, const QString& name, QFrame::Shape shape = QFrame::NoFrame);
QLabel* Label(QWidget* parent, const QString& name, const QString& text = QString());
// A label in a sunken panel frame, as the windows show file names and values.
QLabel* SunkenLabel(QWidget* parent, const QString& name, const QString& text = QString());
QPushButton* Button(QWidget* parent, const QString& name, const QString& caption);
// A button of a window's bars in the program's look; hint is its tooltip (and, without a caption, its
// accessible name).
SkinButton* BarButton(QWidget* parent, const QString& name, const QString& caption, int picture, QSize size,
                      const QString& hint = QString());
QToolButton* PictureButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& toolTip,
                           QSize iconSize);

// Layouts of a bar (a row) or a column, with the margins and spacing given.
QHBoxLayout* Row(QWidget* widget, int margin, int spacing);
QVBoxLayout* Column(QWidget* widget, int margin, int spacing);

// base in the first of families that is installed, at pointSize, bold or not.
QFont FontOf(const QFont& base, const QStringList& families, int pointSize, bool bold);

}  // namespace Widgets
