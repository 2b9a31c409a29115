// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ansage/ansage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "announce/announcer.h"
#include "ui/shared/guard.h"

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(QLatin1String(name));
  return c;
}

QSlider* slider(QWidget* parent, const char* name, int min, int max) {
  auto* s = new QSlider(Qt::Horizontal, parent);
  s->setObjectName(QLatin1String(name));
  s->setRange(min, max);
  s->setPageStep((max - min) / 10);
  s->setTickPosition(QSlider::TicksBelow);
  s->setTickInterval((max - min) / 4);
  return s;
}

}  // namespace

TFAnsage::TFAnsage(DrawAnnouncements& announcements, QWidget* parent)
    : QDialog(parent), announcements_(announcements) {
  setObjectName(QStringLiteral("FAnsage"));
  setWindowTitle(QStringLiteral("Ansagen"));

  auto* root = new QVBoxLayout(this);

  auto* voice = new QGroupBox(QStringLiteral("Stimme"), this);
  auto* form = new QFormLayout(voice);
  cbSprechen_ = checkBox(voice, "cbSprechen", QStringLiteral("Zahlen und Gewinner sprechen"));
  form->addRow(cbSprechen_);
  cbStimme_ = new QComboBox(voice);
  cbStimme_->setObjectName(QStringLiteral("CBStimme"));
  form->addRow(QStringLiteral("S&timme:"), cbStimme_);
  tbTempo_ = slider(voice, "TBTempo", -10, 10);
  form->addRow(QStringLiteral("T&empo:"), tbTempo_);
  tbLautstaerke_ = slider(voice, "TBLautstaerke", 0, 100);
  form->addRow(QStringLiteral("&Lautstärke:"), tbLautstaerke_);
  bProbe_ = new QPushButton(QStringLiteral("&Probe"), voice);
  bProbe_->setObjectName(QStringLiteral("BProbe"));
  bProbe_->setToolTip(QStringLiteral("Einen Beispielsatz mit dieser Stimme sprechen"));
  form->addRow(bProbe_);
  lKeineStimme_ = new QLabel(voice);
  lKeineStimme_->setObjectName(QStringLiteral("LKeineStimme"));
  lKeineStimme_->setWordWrap(true);
  form->addRow(lKeineStimme_);
  root->addWidget(voice);

  auto* sounds = new QGroupBox(QStringLiteral("Klänge und Hinweise"), this);
  auto* list = new QVBoxLayout(sounds);
  cbGewinnKlang_ = checkBox(sounds, "cbGewinnKlang", QStringLiteral("&Klang, wenn ein Los gewinnt"));
  cbEineFehltKlang_ = checkBox(sounds, "cbEineFehltKlang",
                               QStringLiteral("&Leiserer Klang, wenn einer Linie nur noch eine Zahl fehlt"));
  cbWartende_ =
      checkBox(sounds, "cbWartende", QStringLiteral("&Wartende Lose ansagen („Auf die 23 warten 4 Lose“)"));
  cbBenachrichtigung_ = checkBox(
      sounds, "cbBenachrichtigung",
      QStringLiteral("&Desktop-Benachrichtigung bei einem Gewinn, solange das Hauptfenster nicht aktiv ist"));
  for (QCheckBox* c : {cbGewinnKlang_, cbEineFehltKlang_, cbWartende_, cbBenachrichtigung_})
    list->addWidget(c);
  root->addWidget(sounds);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("BOK"));
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("BAbbrechen"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TFAnsage::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TFAnsage::reject);
  root->addWidget(buttons);

  connect(bProbe_, &QPushButton::clicked, this, [this] { runGuarded([this] { BProbeClick(); }); });
  runGuarded([this] { FormCreate(); });
}

void TFAnsage::FormCreate() {
  const AnnounceSettings& s = announcements_.settings();
  cbSprechen_->setChecked(s.speak);
  tbTempo_->setValue(s.rate);
  tbLautstaerke_->setValue(s.volume);
  cbGewinnKlang_->setChecked(s.winChime);
  cbEineFehltKlang_->setChecked(s.oneMissingChime);
  cbWartende_->setChecked(s.sayWaiting);
  cbBenachrichtigung_->setChecked(s.notify);

  Announcer& a = announcements_.announcer();
  const bool voice = a.speechAvailable();
  // The sounds, the line on screen and the notification work without a voice; only its controls go.
  const QString why = voice ? QString() : a.speechUnavailableReason();
  for (QWidget* w :
       std::initializer_list<QWidget*>{cbSprechen_, cbStimme_, tbTempo_, tbLautstaerke_, bProbe_}) {
    w->setEnabled(voice);
    if (!voice) w->setToolTip(why);
  }
  lKeineStimme_->setText(why);
  lKeineStimme_->setVisible(!voice);
  fillVoices();
}

void TFAnsage::fillVoices() {
  const QString stored = announcements_.settings().voice;
  cbStimme_->clear();
  const QStringList voices = announcements_.voices();
  if (voices.isEmpty()) {
    // A stand-in or an engine that names no voices: its default is all there is.
    cbStimme_->addItem(QStringLiteral("Standardstimme"), QString());
    return;
  }
  for (const QString& v : voices) cbStimme_->addItem(v, v);
  const int i = cbStimme_->findData(stored.isEmpty() ? announcements_.currentVoice() : stored);
  cbStimme_->setCurrentIndex(i >= 0 ? i : 0);
}

AnnounceSettings TFAnsage::chosen() const {
  AnnounceSettings s = announcements_.settings();
  s.speak = cbSprechen_->isChecked();
  s.voice = cbStimme_->currentData().toString();
  s.rate = tbTempo_->value();
  s.volume = tbLautstaerke_->value();
  s.winChime = cbGewinnKlang_->isChecked();
  s.oneMissingChime = cbEineFehltKlang_->isChecked();
  s.sayWaiting = cbWartende_->isChecked();
  s.notify = cbBenachrichtigung_->isChecked();
  return s;
}

void TFAnsage::BProbeClick() {
  announcements_.probe(chosen());
}

void TFAnsage::accept() {
  runGuarded([this] {
    announcements_.setSettings(chosen());
    announcements_.writeSettings();
  });
  QDialog::accept();
}

void TFAnsage::reject() {
  runGuarded([this] { announcements_.applyVoice(); });
  QDialog::reject();
}
