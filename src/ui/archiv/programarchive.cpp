// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/archiv/programarchive.h"

#include <QCoreApplication>
#include <memory>

#include "common/folders.h"
#include "ui/shared/prompter.h"

namespace {
std::unique_ptr<Archive>& programArchive() {
  static std::unique_ptr<Archive> archive;
  return archive;
}

// The last fault that kept the archive closed: a window that asks again and again (its list, its
// statistics, its buttons) shows it once, not once per question.
QString& lastFailure() {
  static QString text;
  return text;
}
}  // namespace

QString ProgramArchivePath() {
  return BaseDir() + ArchiveFileName();
}

Archive* ProgramArchive() {
  std::unique_ptr<Archive>& archive = programArchive();
  if (archive && archive->isOpen()) return archive.get();
  archive = std::make_unique<Archive>();
  const ArchiveFault fault = archive->open(ProgramArchivePath());
  using K = ArchiveFault::Kind;
  if (fault.kind == K::Damaged || fault.kind == K::Newer) {
    // Put aside and started afresh, or opened read-only: the user learns why, and goes on.
    Prompter::current().warning(ArchiveFaultMessage(fault));
  } else if (!fault.ok()) {
    archive.reset();
    const QString text = ArchiveFaultMessage(fault);
    if (text != lastFailure()) Prompter::current().error(text);
    lastFailure() = text;
    return nullptr;
  }
  lastFailure().clear();
  if (!archive->isOpen()) {
    archive.reset();
    return nullptr;
  }
  // Qt's SQL connections must be gone before the application object; closing at aboutToQuit does it.
  static bool closesAtQuit = false;
  if (!closesAtQuit && QCoreApplication::instance()) {
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                     [] { CloseProgramArchive(); });
    closesAtQuit = true;
  }
  return archive.get();
}

void CloseProgramArchive() {
  programArchive().reset();
  lastFailure().clear();
}

bool ReportArchiveFault(const ArchiveFault& fault) {
  if (fault.ok()) return true;
  Prompter::current().error(ArchiveFaultMessage(fault));
  return false;
}
