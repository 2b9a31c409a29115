// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// What the first bytes of a file say about running it here.
enum class ProgramKind {
  NativeProgram,   // an ELF executable of this machine's class, byte order and architecture
  Script,          // begins with "#!": the kernel runs its interpreter
  WindowsProgram,  // begins with "MZ"
  Empty,
  Other,  // anything else, an ELF file for another machine among them
};

// Classifies a file by its head (its first 64 bytes or fewer). ownElfHeader is the head of a program
// that runs here, whose class, byte order and machine an ELF file must share.
ProgramKind ClassifyProgram(const QByteArray& head, const QByteArray& ownElfHeader);

// The head of the running program's own file (/proc/self/exe).
QByteArray OwnElfHeader();

// Starts the program file at path as a process of its own, detached from ours, in its folder: only
// when it is a regular file of this user that ClassifyProgram takes for a native program or a script.
// Just before the start the file is made executable for the user alone (0700). Returns the new
// process id; 0, with the reason in *error, when the file was refused or the start failed.
qint64 StartProgramDetached(const QString& path, QString* error = nullptr);
