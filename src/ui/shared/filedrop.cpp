// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/filedrop.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "ui/shared/messages.h"
#include "ui/shared/prompter.h"

bool FileDrop::carriesFiles(const QMimeData* data) {
  return data && data->hasUrls() && !data->urls().isEmpty();
}

const DropKind* FileDrop::kindOf(const QString& path) const {
  const QString suffix = QFileInfo(path).suffix();
  for (const DropKind& kind : kinds_)
    if (suffix.compare(kind.suffix, Qt::CaseInsensitive) == 0) return &kind;
  return nullptr;
}

QStringList FileDrop::takeFiles(const QList<QUrl>& urls) const {
  QStringList taken, refused;
  for (const QUrl& url : urls) {
    // Only files of this computer: a link from a web page is no file to read.
    if (url.isLocalFile() && kindOf(url.toLocalFile()))
      taken << url.toLocalFile();
    else
      refused << (url.isLocalFile() ? QFileInfo(url.toLocalFile()).fileName() : url.toDisplayString());
  }
  if (!refused.isEmpty()) refuse(refused);
  return taken;
}

void FileDrop::refuse(const QStringList& names) const {
  QStringList labels;
  for (const DropKind& kind : kinds_)
    if (!labels.contains(kind.label)) labels << kind.label;
  const QString kinds = labels.size() > 1 ? labels.mid(0, labels.size() - 1).join(QStringLiteral(", ")) +
                                                QStringLiteral(" und ") + labels.last()
                                          : labels.value(0);
  const QString quoted = QStringLiteral("„") + names.join(QStringLiteral("“, „")) + QStringLiteral("“");
  Prompter::current().information((names.size() == 1
                                       ? QStringLiteral("Die Datei %1 wird nicht geöffnet: ")
                                       : QStringLiteral("Die Dateien %1 werden nicht geöffnet: "))
                                      .arg(quoted) +
                                  QStringLiteral("Hier lassen sich nur %1 ablegen.").arg(kinds));
}

void FileDrop::openDropped(const QList<QUrl>& urls) const {
  CappedFileMessages messages;
  for (const QString& path : takeFiles(urls)) {
    messages.about(QFileInfo(path).fileName());
    if (const DropKind* kind = kindOf(path); kind && kind->open) kind->open(path);
  }
  messages.finish();
}

namespace {
bool takesDrops(const QWidget* window) {
  return window->acceptDrops() && window->metaObject()->indexOfSlot("openDroppedFiles(QList<QUrl>)") >= 0;
}
}  // namespace

void OpenAfterDrop(QWidget* window, const QMimeData* data) {
  if (!FileDrop::carriesFiles(data)) return;
  // Queued with a copy of the addresses: the drag's data is gone when the drop has returned.
  QMetaObject::invokeMethod(window, "openDroppedFiles", Qt::QueuedConnection,
                            Q_ARG(QList<QUrl>, data->urls()));
}

namespace {
class FileDropForwarder : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (!FileDrop::carriesFiles(drop->mimeData()) || !takesDrops(window))
      return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop) OpenAfterDrop(window, drop->mimeData());
    return true;
  }
};
}  // namespace

void ForwardFileDrops(QWidget* widget) {
  // One filter for all fields: it keeps no state, and as a child of a field it would announce itself
  // to the field's other filters.
  static FileDropForwarder* const forwarder = new FileDropForwarder(QCoreApplication::instance());
  widget->installEventFilter(forwarder);
}
