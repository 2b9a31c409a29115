// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filedrop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "common/prompter.h"

bool FileDrop::carriesFiles(const QMimeData* data) {
  return data && data->hasUrls() && !data->urls().isEmpty();
}

const DropKind* FileDrop::kindOf(const QString& path) const {
  const QString suffix = QFileInfo(path).suffix();
  for (const DropKind& kind : kinds_)
    if (suffix.compare(kind.suffix, Qt::CaseInsensitive) == 0) return &kind;
  return nullptr;
}

QStringList FileDrop::takeFiles(const QMimeData* data) const {
  QStringList taken, refused;
  if (!carriesFiles(data)) return taken;
  for (const QUrl& url : data->urls()) {
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

void FileDrop::openDropped(const QMimeData* data) const {
  for (const QString& path : takeFiles(data))
    if (const DropKind* kind = kindOf(path); kind && kind->open) kind->open(path);
}

namespace {
class FileDropForwarder : public QObject {
 public:
  FileDropForwarder(QObject* parent, std::function<void(const QMimeData*)> open)
      : QObject(parent), open_(std::move(open)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!FileDrop::carriesFiles(drop->mimeData())) return QObject::eventFilter(watched, event);
    drop->acceptProposedAction();
    if (type == QEvent::Drop) open_(drop->mimeData());
    return true;
  }

 private:
  std::function<void(const QMimeData*)> open_;
};
}  // namespace

void ForwardFileDrops(QWidget* widget, std::function<void(const QMimeData* data)> open) {
  widget->installEventFilter(new FileDropForwarder(widget, std::move(open)));
}
