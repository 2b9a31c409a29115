#pragma once

#include <QString>

// Folders that the operating system assigns to the user. Both come without a trailing '/'
// (except for the root folder itself).

// The user's data folder: $XDG_DATA_HOME when it holds an absolute path, else ~/.local/share.
QString UserDataFolder();

// The temporary folder as the system reports it: $TMPDIR when set, else /tmp.
QString TempFolder();
