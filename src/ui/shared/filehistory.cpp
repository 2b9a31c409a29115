// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/filehistory.h"

#include <QFileInfo>

#include "common/folders.h"
#include "common/settings.h"

namespace {

struct State {
  QString ticketFolder, numberFolder;
  QStringList recent;
  bool changed = false;
};

State& state() {
  static State s;
  return s;
}

QString folderOf(const QString& path) {
  QString folder = QFileInfo(path).absolutePath();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  return folder;
}
}  // namespace

namespace FileHistory {

void load() {
  State& s = state();
  s = State{};
  s.ticketFolder = Settings::get(Setting::kTicketFolder);
  s.numberFolder = Settings::get(Setting::kNumberFolder);
  for (int i = 0; i < kMaxRecentTickets; ++i) {
    const QString path = Settings::get(Setting::kRecentTickets, i);
    if (!path.isEmpty() && !s.recent.contains(path)) s.recent << path;
  }
}

void save() {
  State& s = state();
  if (!s.changed) return;
  Settings::set(Setting::kTicketFolder, s.ticketFolder);
  Settings::set(Setting::kNumberFolder, s.numberFolder);
  // Every slot is written, so a list that shrank leaves no old entry behind.
  for (int i = 0; i < kMaxRecentTickets; ++i)
    Settings::set(Setting::kRecentTickets, i, i < s.recent.size() ? s.recent[i] : QString());
  s.changed = false;
}

// A folder that is gone (an unplugged stick, a deleted folder) would open the dialog somewhere
// arbitrary; the data folder of that kind is the better start then.
QString ticketFolder() {
  const QString& f = state().ticketFolder;
  return !f.isEmpty() && QFileInfo(f).isDir() ? f : TicketsDir();
}

QString numberFolder() {
  const QString& f = state().numberFolder;
  return !f.isEmpty() && QFileInfo(f).isDir() ? f : NumbersDir();
}

QStringList recentTicketFiles() {
  return state().recent;
}

void ticketFileUsed(const QString& path) {
  State& s = state();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  s.ticketFolder = folderOf(absolute);
  s.recent.removeAll(absolute);
  s.recent.prepend(absolute);
  while (s.recent.size() > kMaxRecentTickets) s.recent.removeLast();
  s.changed = true;
}

void numberFileUsed(const QString& path) {
  state().numberFolder = folderOf(path);
  state().changed = true;
}

void forgetTicketFile(const QString& path) {
  if (state().recent.removeAll(path) > 0) state().changed = true;
}

}  // namespace FileHistory
