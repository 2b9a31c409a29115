// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "ui/ansage/drawannouncements.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

// The dialog FAnsage ("Ansagen"), opened from the overview: the voice with its rate and volume and a
// "Probe" to hear them, the two chimes, the sentence about waiting tickets and the desktop
// notification. It shows the announcements' settings and hands them back on OK, which stores them in
// the section "Ansage"; Abbrechen puts a probed voice back. Without a speech engine the voice's
// controls are disabled and say why.
class TFAnsage : public QDialog {
  Q_OBJECT
 public:
  TFAnsage(DrawAnnouncements& announcements, QWidget* parent = nullptr);

  // The settings as the controls show them; "Ansagen" itself stays as it is.
  AnnounceSettings chosen() const;

  void accept() override;
  void reject() override;

 private:
  void FormCreate();
  void fillVoices();
  void BProbeClick();

  DrawAnnouncements& announcements_;
  QCheckBox* cbSprechen_ = nullptr;
  QComboBox* cbStimme_ = nullptr;
  QSlider* tbTempo_ = nullptr;
  QSlider* tbLautstaerke_ = nullptr;
  QPushButton* bProbe_ = nullptr;
  QLabel* lKeineStimme_ = nullptr;
  QCheckBox* cbGewinnKlang_ = nullptr;
  QCheckBox* cbEineFehltKlang_ = nullptr;
  QCheckBox* cbWartende_ = nullptr;
  QCheckBox* cbBenachrichtigung_ = nullptr;
};
