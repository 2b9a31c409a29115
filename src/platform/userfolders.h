// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Folders that the operating system assigns to the user. All come without a trailing '/'
// (except for the root folder itself).

// The user's data folder: $XDG_DATA_HOME when it holds an absolute path, else ~/.local/share.
QString UserDataFolder();

// The user's runtime folder: $XDG_RUNTIME_DIR when it holds an absolute path, else empty.
QString UserRuntimeFolder();
