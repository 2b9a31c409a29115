// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Removing the program file after the installer has started. The running program cannot wait for its
// own end, so a small shell script in the temporary folder does the work once the program is gone:
// it deletes the program file (retrying a bounded number of times, one pause apart, because a file
// it may not delete would otherwise keep it spinning for ever), removes the program's folder when that
// is empty, and finally deletes itself.

// Wraps text in single quotes for /bin/sh; a single quote inside becomes '\''.
QString ShellQuoted(const QString& text);

// The script for programFile, to be stored at scriptPath. The delete is tried once and then retried at
// most `retries` times, `pauseSeconds` apart.
QByteArray SelfDeleteScript(const QString& programFile, const QString& scriptPath, int retries,
                            int pauseSeconds);

// Writes the script for programFile into tempDir (which ends with '/') under a fresh name
// "uis" + random part + ".sh" and returns its path. The name is reserved by an empty "uis….tmp" file
// of the same stem, which stays; both are created exclusively, never through a link. Throws
// std::runtime_error("Cannot create file ...") on failure.
QString WriteSelfDeleteScript(const QString& programFile, const QString& tempDir, int retries = 60,
                              int pauseSeconds = 1);

// The exit road after the installer has started: writes the script for the program file
// (QCoreApplication::applicationFilePath()), makes the temporary folder the current folder, starts
// the script detached with /bin/sh and ends the process at once with std::_Exit(0), so that no window's
// closing handler runs and the main window stores nothing. Throws std::runtime_error (and the program
// keeps running) when the script cannot be written, the folder cannot be entered or the shell cannot
// be started.
void SelfDeletingExit();

// Tests replace the exit road (it would delete the test program and end it). Returns the routine it
// replaces; an empty routine restores the real one.
std::function<void()> InstallSelfDeletingExit(std::function<void()> routine);
