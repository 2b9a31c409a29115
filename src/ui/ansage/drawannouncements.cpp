// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ansage/drawannouncements.h"

#include <algorithm>

#include "announce/liveannouncer.h"
#include "common/settings.h"
#include "core/evaluation.h"

AnnounceSettings AnnounceSettings::read() {
  AnnounceSettings s;
  s.on = Settings::get(Setting::kAnnounce);
  s.speak = Settings::get(Setting::kAnnounceSpeak);
  s.voice = Settings::get(Setting::kAnnounceVoice);
  s.rate = std::clamp(Settings::get(Setting::kAnnounceRate), -10, 10);
  s.volume = std::clamp(Settings::get(Setting::kAnnounceVolume), 0, 100);
  s.winChime = Settings::get(Setting::kAnnounceWinChime);
  s.oneMissingChime = Settings::get(Setting::kAnnounceOneMissingChime);
  s.sayWaiting = Settings::get(Setting::kAnnounceWaiting);
  s.notify = Settings::get(Setting::kAnnounceNotify);
  return s;
}

void AnnounceSettings::write() const {
  Settings::set(Setting::kAnnounce, on);
  Settings::set(Setting::kAnnounceSpeak, speak);
  Settings::set(Setting::kAnnounceVoice, voice);
  Settings::set(Setting::kAnnounceRate, rate);
  Settings::set(Setting::kAnnounceVolume, volume);
  Settings::set(Setting::kAnnounceWinChime, winChime);
  Settings::set(Setting::kAnnounceOneMissingChime, oneMissingChime);
  Settings::set(Setting::kAnnounceWaiting, sayWaiting);
  Settings::set(Setting::kAnnounceNotify, notify);
}

DrawAnnouncements::DrawAnnouncements(QObject* parent)
    : QObject(parent), settings_(AnnounceSettings::read()) {}

DrawAnnouncements::~DrawAnnouncements() = default;

QString DrawAnnouncements::probeText() {
  return QStringLiteral("17. Gewonnen: Los 3, eine Linie");
}

void DrawAnnouncements::setSettings(const AnnounceSettings& settings) {
  const bool wasOn = settings_.on;
  settings_ = settings;
  settings_.on = wasOn;
  applyVoice(settings_);
  setOn(settings.on);
}

void DrawAnnouncements::setOn(bool on) {
  if (settings_.on == on) return;
  settings_.on = on;
  if (on) {
    // The speech engine takes a moment to come up: better now than at the first number.
    announcer().speechAvailable();
  } else {
    lastLine_.clear();
  }
  emit onChanged(on);
}

void DrawAnnouncements::writeSettings() const {
  settings_.write();
}

Announcer& DrawAnnouncements::announcer() {
  if (standIn_) return *standIn_;
  if (!live_) {
    live_ = std::make_unique<LiveAnnouncer>();
    live_->setNotificationHandler([this](int ticket) { emit ticketRequested(ticket); });
    applyVoice(settings_);
  }
  return *live_;
}

void DrawAnnouncements::setAnnouncer(Announcer* announcer) {
  standIn_ = announcer;
  if (standIn_) standIn_->setNotificationHandler([this](int ticket) { emit ticketRequested(ticket); });
}

void DrawAnnouncements::numberToggled(int number, bool added, const DrawSnapshot& before,
                                      const LotteryCheck& after, bool windowActive) {
  if (!settings_.on) return;
  const AnnouncementOptions options{settings_.sayWaiting, settings_.winChime, settings_.oneMissingChime};
  const AnnouncementPlan plan = PlanAnnouncement(before, SnapshotOf(after), number, added, options);
  lastLine_ = Perform(announcer(), plan, AnnounceChoice{settings_.speak, settings_.notify}, windowActive);
  emit announced(lastLine_);
}

void DrawAnnouncements::probe(const AnnounceSettings& trial) {
  Announcer& a = announcer();
  applyVoice(trial);
  if (a.speechAvailable()) a.say(probeText());
  if (trial.winChime) a.play(Sound::Win);
}

void DrawAnnouncements::applyVoice() {
  applyVoice(settings_);
}

void DrawAnnouncements::applyVoice(const AnnounceSettings& s) {
  // A stand-in has no voice to set; the program's own is set up when it is made.
  if (standIn_ || !live_) return;
  Speech& speech = live_->speech();
  if (!s.voice.isEmpty()) speech.setVoice(s.voice);
  speech.setRate(s.rate / 10.0);
  speech.setVolume(s.volume / 100.0);
  live_->chimes().setVolume(s.volume / 100.0);
}

QStringList DrawAnnouncements::voices() {
  if (standIn_) return {};
  announcer();
  return live_->speech().voices();
}

QString DrawAnnouncements::currentVoice() {
  if (standIn_) return {};
  announcer();
  return live_->speech().voice();
}
