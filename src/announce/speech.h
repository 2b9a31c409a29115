// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QTextToSpeech;

// The voice: Qt's text-to-speech with a German voice where the engine has one. The engine is started
// on first use, not with the program, since speech-dispatcher may take a moment to come up.
class Speech : public QObject {
  Q_OBJECT
 public:
  // engine: a name from QTextToSpeech::availableEngines(); empty for Qt's choice.
  explicit Speech(const QString& engine = {}, QObject* parent = nullptr);
  ~Speech() override;

  bool available();
  QString unavailableReason();  // German, for a tooltip; empty while available

  QStringList voices();  // names of the voices for German
  QString voice();
  void setVoice(const QString& name);  // an unknown name keeps the current voice
  void setRate(double rate);           // -1 slow .. 1 fast, 0 normal
  void setVolume(double volume);       // 0 .. 1

  // Stops what is still being said and starts text; returns at once.
  void say(const QString& text);
  void stop();
  bool speaking() const;

 private:
  void start();

  QString engine_;
  QTextToSpeech* tts_ = nullptr;
  bool started_ = false;
  QString reason_;
};
