// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop.h"

#include <QApplication>

#include "common/appinfo.h"

QPalette LightPalette() {
  const QColor surface(0xee, 0xf2, 0xec);
  const QColor text(0x1f, 0x2d, 0x22);
  const QColor dimmed(0x7a, 0x85, 0x76);
  QPalette p(text, surface);  // WindowText on Window, and the light and dark shades from them
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::AlternateBase, QColor(0xf4, 0xf6, 0xf2));
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(0xf4, 0xf6, 0xf2));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, Qt::white);
  p.setColor(QPalette::Highlight, QColor(0x2e, 0x7d, 0x32));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
  p.setColor(QPalette::ToolTipText, Qt::black);
  p.setColor(QPalette::PlaceholderText, dimmed);
  p.setColor(QPalette::Link, QColor(0x1b, 0x5e, 0x20));
  p.setColor(QPalette::LinkVisited, QColor(0x4a, 0x14, 0x8c));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(QPalette::Disabled, role, dimmed);
  return p;
}

QIcon ProgramIcon() {
  return QIcon::fromTheme(AppId, QIcon(QStringLiteral(":/icons/ziehfix.svg")));
}

void SetUpDesktop(QApplication& app) {
  QGuiApplication::setDesktopFileName(AppId);
  QApplication::setWindowIcon(ProgramIcon());
  app.setPalette(LightPalette());
}
