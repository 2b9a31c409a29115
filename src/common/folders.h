#pragma once

#include <QString>

// The program's data folders, each with a trailing '/'. Set once by EstablishDataFolders() (while the
// splash window is created) and fixed afterwards.
//   BaseDir     = $XDG_DATA_HOME (else ~/.local/share) + "/ZIEHFIX/"
//   ShotsDir    = BaseDir + "shots/"        TicketsDir = BaseDir + "Spielscheine/"
//   SettingsDir = BaseDir + "Einstellungen/" NumbersDir = BaseDir + "Gewinnzahlen/"
//   TempDir     = the temporary folder ($TMPDIR, else /tmp) + "/"
void EstablishDataFolders();  // computes the paths and creates the five folders; failures are silent

const QString& TempDir();
const QString& BaseDir();
const QString& ShotsDir();
const QString& TicketsDir();
const QString& SettingsDir();
const QString& NumbersDir();
QString SettingsFilePath();  // SettingsDir() + "optionen.ini"
