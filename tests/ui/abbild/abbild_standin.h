// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QList>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>
#include <memory>

#include "ui/abbild/abbild.h"

// A small stand-in for the main window with what a capture reads: the property "LosCount", the ticket
// area "Box1" (a scroll area with ticket frames of 126 x 86, five to a row, 5 pixels apart), the
// label "LDatei", and the result panel "Panel8" inside the results column "Panel6".
inline const QColor StandInTicketColour(0x30, 0x60, 0xA0);
inline const QColor StandInAreaColour(0xD0, 0xD0, 0xD0);
inline const QColor StandInPanelColour(0x20, 0x90, 0x40);

inline void Paint(QWidget* w, const QColor& colour) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::Window, colour);
  w->setPalette(palette);
  w->setAutoFillBackground(true);
}

struct StandInMain {
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  QScrollArea* box = nullptr;
  QWidget* content = nullptr;
  QFrame* panel6 = nullptr;
  QFrame* panel8 = nullptr;
  QLabel* ldatei = nullptr;

  // tickets: frames in the area; viewportHeight: visible height of Box1; contentHeight: at least
  // the frames' height.
  explicit StandInMain(int tickets, int viewportHeight = 400, int contentHeight = 0) {
    window->setObjectName("FMain");
    window->setProperty("LosCount", tickets);
    window->resize(900, viewportHeight + 300);

    ldatei = new QLabel("sieben.lose", window.get());
    ldatei->setObjectName("LDatei");
    ldatei->setGeometry(100, 5, 154, 21);

    box = new QScrollArea(window.get());
    box->setObjectName("Box1");
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setWidgetResizable(false);
    content = new QWidget;
    Paint(content, StandInAreaColour);
    const int rows = (tickets + 4) / 5;
    content->resize(660, std::max(contentHeight, rows * 91 + 5));
    for (int n = 1; n <= tickets; ++n) {
      auto* frame = new QFrame(content);
      frame->setObjectName(QStringLiteral("EinfrLos%1").arg(n));
      frame->setGeometry(((n - 1) % 5) * 131 + 5, ((n - 1) / 5) * 91 + 5, 126, 86);
      Paint(frame, StandInTicketColour);
    }
    box->setWidget(content);
    const int scrollBarWidth = box->verticalScrollBar()->sizeHint().width();
    box->setGeometry(0, 40, 680 + scrollBarWidth, viewportHeight);

    panel6 = new QFrame(window.get());
    panel6->setObjectName("Panel6");
    panel6->setGeometry(720, 0, 161, 600);
    panel8 = new QFrame(panel6);
    panel8->setObjectName("Panel8");
    panel8->setGeometry(5, 74, 151, 225);
    Paint(panel8, StandInPanelColour);

    window->show();
    QApplication::processEvents();
  }

  void scrollTo(int value) {
    box->verticalScrollBar()->setValue(value);
    QApplication::processEvents();
  }
};

// Every snapshot window that is a child of the stand-in, in order of creation.
inline QList<TFAbbild*> SnapshotWindows(QWidget* mainWindow) {
  return mainWindow->findChildren<TFAbbild*>(Qt::FindDirectChildrenOnly);
}
