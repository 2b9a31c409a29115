// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QIcon>
#include <QPushButton>

// Registers the compiled-in pictures and style sheet (a static library's resources are not linked in
// unless something refers to them) and maps the windows' fonts (Tahoma, Calibri, Arial) onto
// metric-compatible or narrow free fonts where they are missing. Harmless when called again.
void InitLook();

// Picture of the main window's image list by index (0..22), drawn from resources/pictures.
QIcon ImageList1(int index);

// A tool-bar button with a picture and a caption that wraps at its blanks ("Gewinn- prüfung" shows in
// two lines). text() keeps the caption unchanged, so a screen reader reads it. A button without a
// caption gets its tooltip as accessible name.
class SkinButton : public QPushButton {
  Q_OBJECT
 public:
  enum class Picture { Left, Right };
  SkinButton(const QString& name, const QString& caption, int picture, QSize size, QWidget* parent,
             Picture side = Picture::Left);
  // For picture-only buttons: the tooltip, which is also the accessible name.
  void setHint(const QString& hint);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture side_;
};

// A check box whose caption wraps inside its fixed size.
class WrapCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  WrapCheckBox(const QString& name, const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};
