// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QStringView>

// Every entry of optionen.ini, declared once: its section, its key and its default. Windows and tests
// read and write them only through these names (see common/settings.h), so a key is spelled in one
// place and a typo fails to compile.
//
// To add a setting: declare it here in the section of its window, then read it with Settings::get when
// the window is created and write it with Settings::set when it closes.

template <typename T>
struct SettingKey {
  QStringView section;
  QStringView key;
  T fallback;
};
using IntSetting = SettingKey<int>;
using BoolSetting = SettingKey<bool>;
using TextSetting = SettingKey<QStringView>;

// Numbered keys of one section: prefix1, prefix2, ... prefixN.
struct SettingList {
  QStringView section;
  QStringView prefix;
  int count;
};

// Where a window was left: four integer keys. A window's keys are made by one of the two macros below
// (a macro, because only the preprocessor can join the window's name and a suffix into one literal).
struct WindowPlace {
  IntSetting left, top, width, height;
  constexpr QRect fallback() const {
    return QRect(left.fallback, top.fallback, width.fallback, height.fallback);
  }
};
// The classic windows share two sections: "Position" holds <name>-left and <name>-top, "Size"
// <name>-breite and <name>-hoehe. An empty size means the window keeps the size its layout gives it.
#define ZIEHFIX_CLASSIC_PLACE(name, x, y, w, h)                                                              \
  WindowPlace {                                                                                              \
    {u"Position", u"" name "-left", x}, {u"Position", u"" name "-top", y}, {u"Size", u"" name "-breite", w}, \
    {                                                                                                        \
      u"Size", u"" name "-hoehe", h                                                                          \
    }                                                                                                        \
  }
// The windows added later keep Links, Oben, Breite and Hoehe in a section of their own.
#define ZIEHFIX_OWN_PLACE(section, x, y, w, h)                                            \
  WindowPlace {                                                                           \
    {u"" section, u"Links", x}, {u"" section, u"Oben", y}, {u"" section, u"Breite", w}, { \
      u"" section, u"Hoehe", h                                                            \
    }                                                                                     \
  }

namespace Setting {

// Main window.
inline constexpr WindowPlace kMainPlace = ZIEHFIX_CLASSIC_PLACE("FMain", 0, 70, 1038, 645);
inline constexpr BoolSetting kEvaluateAtOnce{u"Auswertung", u"sofort", true};
inline constexpr TextSetting kDonationStand{u"Wach", u"Stand", u"0"};
inline constexpr TextSetting kNewNumbersUrl{u"Neue Gewinnzahlen", u"Url",
                                            u"https://www.ziehfix.example/gewinnzahlen/"};

// Recent files and the folders the file dialogs open in.
inline constexpr int kMaxRecentTickets = 8;
inline constexpr SettingList kRecentTickets{u"Zuletzt", u"Los", kMaxRecentTickets};
inline constexpr TextSetting kTicketFolder{u"Zuletzt", u"Lose-Ordner", u""};
inline constexpr TextSetting kNumberFolder{u"Zuletzt", u"Gewinnzahlen-Ordner", u""};

// Entry window.
inline constexpr WindowPlace kEntryPlace = ZIEHFIX_CLASSIC_PLACE("FEingabe", 0, 70, 0, 0);
inline constexpr TextSetting kNewTicketCount{u"Lose", u"neue", u"10"};

// Snapshot window.
inline constexpr WindowPlace kSnapshotPlace = ZIEHFIX_CLASSIC_PLACE("FAbbild", 0, 70, 0, 0);
inline constexpr TextSetting kSnapshotFolder{u"Abbild", u"Pfad", u""};

// Overview window.
inline constexpr WindowPlace kOverviewPlace = ZIEHFIX_CLASSIC_PLACE("FUebersicht", 60, 120, 880, 480);
inline constexpr BoolSetting kOverviewShowMissing{u"Uebersicht", u"FehlendeZeigen", false};

// Reports and their preview. The preview's default place is centred on the screen at run time.
inline constexpr TextSetting kReportFolder{u"Bericht", u"Pfad", u""};
inline constexpr BoolSetting kReportAllTickets{u"Bericht", u"AlleLose", false};
inline constexpr WindowPlace kPreviewPlace = ZIEHFIX_OWN_PLACE("Druckvorschau", 0, 0, 720, 900);

// Announcements during a draw: the overview's "Ansagen" and its dialog. Off by default.
inline constexpr BoolSetting kAnnounce{u"Ansage", u"An", false};
inline constexpr BoolSetting kAnnounceSpeak{u"Ansage", u"Sprechen", true};
inline constexpr TextSetting kAnnounceVoice{u"Ansage", u"Stimme", u""};
inline constexpr IntSetting kAnnounceRate{u"Ansage", u"Tempo", 0};           // -10 .. 10
inline constexpr IntSetting kAnnounceVolume{u"Ansage", u"Lautstaerke", 80};  // percent
inline constexpr BoolSetting kAnnounceWinChime{u"Ansage", u"GewinnKlang", true};
inline constexpr BoolSetting kAnnounceOneMissingChime{u"Ansage", u"EineFehltKlang", true};
inline constexpr BoolSetting kAnnounceWaiting{u"Ansage", u"Wartende", true};
inline constexpr BoolSetting kAnnounceNotify{u"Ansage", u"Benachrichtigung", false};

// Draw archive window (its place under Links, Oben, Breite, Hoehe in the same section).
inline constexpr WindowPlace kArchivePlace = ZIEHFIX_OWN_PLACE("Archiv", 80, 100, 1000, 600);
inline constexpr IntSetting kArchiveYear{u"Archiv", u"Jahr", 0};  // 0: every year
inline constexpr IntSetting kArchivePage{u"Archiv", u"Seite", 0};
inline constexpr IntSetting kArchiveChart{u"Archiv", u"Diagramm", 0};
inline constexpr BoolSetting kArchiveLoadTickets{u"Archiv", u"LoseLaden", false};
inline constexpr TextSetting kArchiveFolder{u"Archiv", u"Ordner", u""};

}  // namespace Setting
