// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QScreen>

#include "common/appinfo.h"
#include "common/folders.h"
#include "ui/main/main.h"
#include "ui/shared/skinwidgets.h"

TFStart* FStart = nullptr;

namespace {
constexpr int kSteps = 51;
constexpr int kStepMs = 1;
constexpr int kPauseMs = 100;
}  // namespace

TFStart::TFStart(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("FStart"));
  setWindowTitle(ProductName);
  setFixedSize(400, 300);
  setAttribute(Qt::WA_DeleteOnClose);
  EstablishDataFolders();
  InitLook();

  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setGeometry(0, 0, 400, 300);
  image->setPixmap(QIcon(QStringLiteral(":/pictures/splash.svg")).pixmap(400, 300));
  image->setAccessibleName(ProductName);

  weiter_ = new SkinButton(QStringLiteral("BWeiter"), QStringLiteral("Weiter"), -1, QSize(90, 38), this,
                           SkinButton::Picture::Right);
  weiter_->setIcon(QIcon(QStringLiteral(":/pictures/weiter.svg")));
  weiter_->move(297, 249);
  weiter_->setCursor(Qt::ArrowCursor);
  connect(weiter_, &QPushButton::clicked, this, &TFStart::BWeiter0Click);

  // Centred over the main window, or on the screen while there is none.
  const QRect area = FMain ? FMain->frameGeometry() : QGuiApplication::primaryScreen()->availableGeometry();
  move(area.center() - rect().center());

  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TFStart::nextStep);
}

TFStart::~TFStart() {
  if (FStart == this) FStart = nullptr;
}

void TFStart::setInitializationDone(bool done) {
  initializationDone_ = done;
  if (!done) return;
  weiter_->setEnabled(true);
  weiter_->setCursor(Qt::PointingHandCursor);
}

void TFStart::paintEvent(QPaintEvent* event) {
  painted_ = true;
  QWidget::paintEvent(event);
}

void TFStart::BWeiter0Click() {
  weiter_->hide();
  QCoreApplication::processEvents();
  weiter_->setEnabled(false);
  close();
}

void TFStart::closeEvent(QCloseEvent* event) {
  if (phase_ == Phase::Done) {
    event->accept();
    return;
  }
  // The window goes only at the end of its cross-fade.
  event->ignore();
  if (phase_ == Phase::Idle) startCrossFade();
}

void TFStart::startCrossFade() {
  phase_ = Phase::FadeOut;
  step_ = 0;
  timer_.start(0);
}

void TFStart::setOpacity(QWidget* window, int opacity) {
  window->setWindowOpacity(opacity / 255.0);
  // The window system gets each step before the next wait; left in the connection's buffer, all
  // steps would reach it in one write after the loop, and the fade would be a jump.
  QGuiApplication::sync();
  emit opacityStep(window, opacity);
}

void TFStart::nextStep() {
  switch (phase_) {
    case Phase::FadeOut:
      ++step_;
      setOpacity(this, 255 - 5 * step_);
      if (step_ == kSteps) {
        // Opacity does nothing without a compositor: the faded-out window really goes away.
        hide();
        phase_ = Phase::Pause;
        timer_.start(kPauseMs);
      } else {
        timer_.start(kStepMs);
      }
      return;
    case Phase::Pause:
      phase_ = Phase::FadeIn;
      step_ = 0;
      [[fallthrough]];
    case Phase::FadeIn:
      ++step_;
      if (FMain) {
        // The main window appears only now, at its first opacity step, so until here it neither
        // covers the splash window nor takes its clicks.
        if (step_ == 1) {
          FMain->setWindowOpacity(5 / 255.0);
          FMain->show();
          FMain->raise();
          FMain->activateWindow();
        }
        setOpacity(FMain, 5 * step_);
      }
      if (step_ < kSteps) {
        timer_.start(kStepMs);
        return;
      }
      phase_ = Phase::Done;
      FStart = nullptr;
      emit crossFadeFinished();
      close();
      return;
    case Phase::Idle:
    case Phase::Done:
      return;
  }
}
