// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Files that only this user may see or change. In a shared folder another user could plant a file or
// a symbolic link under a name we are about to use; so our folder is our own, and a new file in it is
// created exclusively (O_EXCL), never through a link (O_NOFOLLOW).

// Creates folder (mode 0700) when it is missing and checks it: a real folder, no link, owned by this
// user; its mode is set to 0700. With or without a trailing '/', a link in folder's place is refused. False,
// with the reason in *error, when any of that fails.
bool MakePrivateFolder(const QString& folder, QString* error = nullptr);

// Writes bytes into a new file at path with the given mode: fails when anything (a file, a link, a
// folder) already has that name. A failed write removes the file again. Throws
// std::runtime_error("Cannot create file \"<path>\". <reason>").
void WriteNewPrivateFile(const QString& path, const QByteArray& bytes, int mode = 0600);
