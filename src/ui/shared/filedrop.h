// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
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
  QStringList takeFiles(const QList<QUrl>& urls) const;

  // The kind of a path by its suffix (case ignored), or nullptr.
  const DropKind* kindOf(const QString& path) const;

  // The German message for files not taken here (names as shown to the user).
  void refuse(const QStringList& names) const;

  // takeFiles, then each file's kind opens it; their messages are capped as for files from the
  // command line.
  void openDropped(const QList<QUrl>& urls) const;

 private:
  QList<DropKind> kinds_;
};

// Calls window's slot openDroppedFiles(QList<QUrl>) once control is back in the event loop: the drag
// source waits until the drop returns, and reading many tickets or a picture (or a message box) inside
// it would hold the desktop's drag for that long.
void OpenAfterDrop(QWidget* window, const QMimeData* data);

// Text fields take a dropped file as the text of its path. On the given widget (a text field or its
// viewport) a drag that carries files goes to its window's openDroppedFiles instead, as if dropped
// beside the field; dragged text is still taken by the field.
void ForwardFileDrops(QWidget* widget);
