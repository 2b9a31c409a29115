// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's data folders, each with a trailing '/'. Set once by EstablishDataFolders() (while the
// splash window is created) and fixed afterwards.
//   BaseDir     = $XDG_DATA_HOME (else ~/.local/share) + "/ZIEHFIX/"
//   ShotsDir    = BaseDir + "shots/"        TicketsDir = BaseDir + "Spielscheine/"
//   SettingsDir = BaseDir + "Einstellungen/" NumbersDir = BaseDir + "Gewinnzahlen/"
//   TempDir     = a folder of the user's own (mode 0700): $XDG_RUNTIME_DIR + "/ZIEHFIX/" when that is
//                 set, else BaseDir + "tmp/"
// computes the paths and creates the six folders; failures are silent (later file access reports them).
// When the runtime folder cannot hold a private folder, TempDir falls back to the one below BaseDir.
void EstablishDataFolders();

// Makes preferred a private folder (see MakePrivateFolder) and returns it; when that fails, the same
// for fallback, which is returned whether or not it succeeded.
QString EstablishPrivateFolder(const QString& preferred, const QString& fallback);

// The private folder below the data folder (BaseDir + "tmp/", TempDir's fallback), created with its
// parents and made private; empty when it cannot be made private. For what must never lie in a
// folder that other users share.
QString EstablishOwnPrivateFolder();

const QString& TempDir();
const QString& BaseDir();
const QString& ShotsDir();
const QString& TicketsDir();
const QString& SettingsDir();
const QString& NumbersDir();
QString SettingsFilePath();  // SettingsDir() + "optionen.ini"
