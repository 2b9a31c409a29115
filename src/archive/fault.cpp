// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/fault.h"

namespace {

QString reason(const ArchiveFault& f) {
  return f.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(f.detail);
}

}  // namespace

QString ArchiveFaultMessage(const ArchiveFault& f) {
  switch (f.kind) {
    case ArchiveFault::Kind::None:
      return {};
    case ArchiveFault::Kind::Damaged:
      if (f.movedTo.isEmpty())
        return QStringLiteral("Das Archiv ist beschädigt%1: %2.").arg(reason(f), f.item);
      return QStringLiteral(
                 "Das Archiv ist beschädigt%1: %2. Die Datei wurde unter dem Namen %3 beiseitegelegt "
                 "und ein neues Archiv angelegt.")
          .arg(reason(f), f.item, f.movedTo);
    case ArchiveFault::Kind::Newer:
      return QStringLiteral(
                 "Das Archiv %1 stammt von einer neueren Programmversion. Es wird nur gelesen; Ziehungen "
                 "können darin nicht gespeichert oder gelöscht werden.")
          .arg(f.item);
    case ArchiveFault::Kind::ReadOnly:
      return QStringLiteral("Das Archiv %1 ist nur zum Lesen geöffnet; es wurde nichts geändert.")
          .arg(f.item);
    case ArchiveFault::Kind::Locked:
      return QStringLiteral(
                 "Das Archiv %1 ist gesperrt, weil ein anderes Programm gerade hineinschreibt. Es wurde "
                 "vergeblich gewartet; bitte später noch einmal versuchen.")
          .arg(f.item);
    case ArchiveFault::Kind::DiskFull:
      return QStringLiteral(
                 "Der Datenträger ist voll: Das Archiv %1 konnte nicht geschrieben werden. Die Änderung "
                 "wurde zurückgenommen, das Archiv ist unverändert.")
          .arg(f.item);
    case ArchiveFault::Kind::WriteFailed:
      return QStringLiteral(
                 "Das Archiv %1 konnte nicht geschrieben werden%2. Die Änderung wurde zurückgenommen, das "
                 "Archiv ist unverändert.")
          .arg(f.item, reason(f));
    case ArchiveFault::Kind::CannotOpen:
      return QStringLiteral("Das Archiv %1 konnte nicht geöffnet werden%2.").arg(f.item, reason(f));
    case ArchiveFault::Kind::Exists:
      return QStringLiteral("Im Archiv gibt es schon die Ziehung %1.").arg(f.item);
    case ArchiveFault::Kind::NotFound:
      return QStringLiteral("Die Ziehung %1 gibt es im Archiv nicht.").arg(f.item);
  }
  return {};
}
