// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "core/announcement.h"

class Announcer;
class LiveAnnouncer;
class LotteryCheck;

// What the user chose for the announcements; section "Ansage" of optionen.ini.
struct AnnounceSettings {
  bool on = false;    // the overview's "Ansagen": off until chosen, so a screen reader's own speech is alone
  bool speak = true;  // the voice; the line on screen and the chimes come without it
  QString voice;      // empty: the engine's German default
  int rate = 0;       // -10 slow .. 10 fast
  int volume = 80;    // percent
  bool winChime = true;
  bool oneMissingChime = true;
  bool sayWaiting = true;
  bool notify = false;

  static AnnounceSettings read();
  void write() const;  // throws what a failed settings write throws
  bool operator==(const AnnounceSettings&) const = default;
};

// The announcements of a draw, owned by the main window: after a number chosen with the board or the
// keyboard it plans what to say and play from the evaluations before and after, performs it and
// keeps the line for the overview. The voice, chimes and notifications start on first use only.
class DrawAnnouncements : public QObject {
  Q_OBJECT
 public:
  // Reads the settings.
  explicit DrawAnnouncements(QObject* parent = nullptr);
  ~DrawAnnouncements() override;

  const AnnounceSettings& settings() const { return settings_; }
  void setSettings(const AnnounceSettings& settings);
  bool isOn() const { return settings_.on; }
  void setOn(bool on);
  void writeSettings() const;

  // The announcer in use: the program's own unless another was put in (not owned; null to go back).
  Announcer& announcer();
  void setAnnouncer(Announcer* announcer);

  // Call with what the last evaluation found before the number was toggled (SnapshotOf) and the check
  // after it; added says whether the number is chosen now. Nothing happens while announcements are off.
  void numberToggled(int number, bool added, const DrawSnapshot& before, const LotteryCheck& after,
                     bool windowActive);

  // The dialog's "Probe": a sample with the given voice settings and the win chime when chosen.
  void probe(const AnnounceSettings& trial);
  // Puts the stored voice settings back after a probe that was not kept.
  void applyVoice();
  QStringList voices();  // empty without a voice or with a stand-in announcer
  QString currentVoice();

  // The last announcement's text; empty while off or before the first.
  QString lastLine() const { return lastLine_; }

  static QString probeText();

 signals:
  void announced(const QString& line);
  void onChanged(bool on);
  // A click on a notification about the ticket (0-based).
  void ticketRequested(int ticket);

 private:
  void applyVoice(const AnnounceSettings& s);

  AnnounceSettings settings_;
  std::unique_ptr<LiveAnnouncer> live_;
  Announcer* standIn_ = nullptr;
  QString lastLine_;
};
