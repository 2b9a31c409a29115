// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

// A kind of file a window takes by drag and drop: its suffix (without the dot), how it is named in
// the refusal message, and what opening one file of it does.
struct DropKind {
  QString suffix;
  QString label;  // e.g. "Lose-Dateien (*.lose)"
  std::function<void(const QString& path)> open;
};

// The kinds a window takes; a new kind is one more entry in the window's list.
class FileDrop {
 public:
  explicit FileDrop(QList<DropKind> kinds) : kinds_(std::move(kinds)) {}

  // Whether the drag carries files at all. Files of other kinds are taken too, so that dropping one
  // gives the refusal message instead of a silent no-entry cursor.
  static bool carriesFiles(const QMimeData* data);

  // The dropped files of the known kinds, in the order dropped; the others are refused with one
  // German message naming them and the kinds that are taken here.
  QStringList takeFiles(const QMimeData* data) const;

  // The kind of a path by its suffix (case ignored), or nullptr.
  const DropKind* kindOf(const QString& path) const;

  // The German message for files not taken here (names as shown to the user).
  void refuse(const QStringList& names) const;

  // takeFiles, then each file's kind opens it.
  void openDropped(const QMimeData* data) const;

 private:
  QList<DropKind> kinds_;
};

// Text fields take a dropped file as the text of its path. On the given widget (a text field's
// viewport) a drag that carries files goes to the window instead: open is called with the data.
void ForwardFileDrops(QWidget* widget, std::function<void(const QMimeData* data)> open);
