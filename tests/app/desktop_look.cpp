// SPDX-License-Identifier: GPL-3.0-or-later
// The program under a dark desktop colour scheme keeps its light look and readable text, and every
// window carries the program's icon and app ID.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <cmath>

#include "app/startup.h"
#include "common/appinfo.h"
#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main.h"

namespace {
double luminance(const QColor& c) {
  auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
// The contrast ratio of two colours, 1 (none) to 21 (black on white).
double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkScheme() {
  QPalette p(QColor(0xe0, 0xe0, 0xe0), QColor(0x2a, 0x2a, 0x2a));
  p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  p.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
  p.setColor(QPalette::ButtonText, QColor(0xf0, 0xf0, 0xf0));
  return p;
}

// Every enabled, visible widget that shows text, with too little contrast against its background.
QStringList poorContrast(QWidget& window) {
  QStringList poor;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window) || !w->isEnabled()) continue;
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w) &&
        !qobject_cast<QPlainTextEdit*>(w))
      continue;
    const QPalette& p = w->palette();
    const QColor fg = p.color(w->foregroundRole());
    // A style sheet's gradient becomes a gradient brush: every colour of it counts.
    const QBrush bg = p.brush(w->backgroundRole());
    QList<QColor> backgrounds{bg.color()};
    if (bg.gradient()) {
      backgrounds.clear();
      for (const QGradientStop& stop : bg.gradient()->stops()) backgrounds << stop.second;
    }
    for (const QColor& b : backgrounds)
      if (contrast(fg, b) < 4.5)
        poor << QStringLiteral("%1 (%2 on %3)").arg(w->objectName(), fg.name(), b.name());
  }
  return poor;
}
}  // namespace

TEST(DesktopLook, UnderADarkSystemSchemeTextKeepsItsContrastAndWindowsCarryTheIcon) {
  ScriptedPrompter prompter;
  EstablishDataFolders();
  QApplication::setPalette(darkScheme());
  PrepareApplication(*qApp);
  EXPECT_EQ(QGuiApplication::desktopFileName(), AppId);
  for (auto [fg, bg] : {std::pair{QPalette::WindowText, QPalette::Window},
                        {QPalette::Text, QPalette::Base},
                        {QPalette::ButtonText, QPalette::Button},
                        {QPalette::HighlightedText, QPalette::Highlight},
                        {QPalette::ToolTipText, QPalette::ToolTipBase}})
    EXPECT_GE(contrast(QApplication::palette().color(fg), QApplication::palette().color(bg)), 4.5) << fg;

  TFMain main;
  TFEingabe entry;
  for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&entry)}) {
    window->setWindowOpacity(1.0);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(poorContrast(*window).join(", ").toStdString(), "") << window->objectName().toStdString();
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->windowIcon().pixmap(48).isNull());
  }
}
