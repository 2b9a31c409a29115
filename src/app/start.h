// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

class SkinButton;

// The splash window FStart: a 400 x 300 picture with the button "Weiter". Closing it, by "Weiter" or
// by the window frame, cross-fades to the main window: 51 steps down (250 ... 0), a pause of 100 ms,
// then the main window is shown and raised in 51 steps (5 ... 255); the splash window is destroyed.
class TFStart : public QWidget {
  Q_OBJECT
 public:
  // FormCreate: the caption is the product name, and the data folders are established.
  explicit TFStart(QWidget* parent = nullptr);
  ~TFStart() override;

  bool InitializationDone() const { return initializationDone_; }
  // true: "Weiter" is enabled and gets the hand cursor.
  void setInitializationDone(bool done);

  bool hasBeenPainted() const { return painted_; }
  bool isFading() const { return phase_ != Phase::Idle; }

 signals:
  // Every opacity value set during the cross-fade, in order, with the window it was set on.
  void opacityStep(QWidget* window, int opacity);
  // The main window is opaque; the splash window is about to be destroyed.
  void crossFadeFinished();

 public slots:
  void BWeiter0Click();

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose: runs the cross-fade
  void paintEvent(QPaintEvent* event) override;

 private:
  enum class Phase { Idle, FadeOut, Pause, FadeIn, Done };
  void startCrossFade();
  void nextStep();
  void setOpacity(QWidget* window, int opacity);

  SkinButton* weiter_ = nullptr;
  QTimer timer_;
  Phase phase_ = Phase::Idle;
  int step_ = 0;
  bool initializationDone_ = false;
  bool painted_ = false;
};

extern TFStart* FStart;
