// SPDX-License-Identifier: GPL-3.0-or-later
// ziehfix-check: checks tickets against winning numbers without a window, for scripts and tests.
#include <unistd.h>

#include <QByteArray>
#include <QFileInfo>
#include <cstdio>
#include <exception>

#include "cli/archiverun.h"
#include "cli/checkrun.h"
#include "cli/options.h"
#include "cli/output.h"
#include "core/report.h"
#ifdef ZIEHFIX_HAVE_SCAN
#include "scan/recogniserthreads.h"
#endif

namespace {

#if defined(ZIEHFIX_IMAGE_HELPER) && !defined(ZIEHFIX_HAVE_SCAN)
// Pictures are read by the build of this program with the picture reader: beside it in the build
// folder, in libexec once installed. It takes over this process with the same arguments, so its
// output and exit status are this call's. Returns only when it could not be started. Its recogniser
// works on one thread (see scan/recogniserthreads.h); set here, that costs no second start.
void runImageHelper(char** argv) {
  ::setenv("OMP_THREAD_LIMIT", "1", 0);
  const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  const QString dir = QFileInfo(self).absolutePath();
  for (const QString& helper : {dir + QStringLiteral("/ziehfix-check-image"),
                                dir + QStringLiteral("/") + QStringLiteral(ZIEHFIX_IMAGE_HELPER)}) {
    const QByteArray path = QFileInfo(helper).absoluteFilePath().toLocal8Bit();
    if (::access(path.constData(), X_OK) == 0) ::execv(path.constData(), argv);
  }
  Fail(
      QStringLiteral("Die Bilderkennung (ziehfix-check-image) wurde nicht gefunden; Bilder können nicht "
                     "gelesen werden."));
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef ZIEHFIX_HAVE_SCAN
  StartWithOneRecogniserThread(argv);
#endif
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);

  CheckerOptions options;
  QString error;
  if (!ParseCheckerArguments(args, options, error)) {
    Fail(error + QStringLiteral(" (--help zeigt den Aufruf)"));
    return kExitFailure;
  }
  if (options.help) {
    PrintTo(stdout, CheckerUsage().toUtf8());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
  }

#if defined(ZIEHFIX_IMAGE_HELPER) && !defined(ZIEHFIX_HAVE_SCAN)
  if (options.fromImage) {
    runImageHelper(argv);
    return kExitFailure;
  }
#endif

  try {
    if (options.archiveAction != ArchiveAction::None) return RunArchiveAction(options);
    const CheckOutcome outcome = RunCheck(options);
    // The report goes out piece by piece as it is written; a million tickets make hundreds of MB.
    FileSink sink(stdout);
    WriteReport(outcome.report(), options.format, sink);
    return FinishOutput(outcome.hasError() ? kExitErrorMessage : kExitOk);
  } catch (const std::bad_alloc&) {
    Fail(QStringLiteral("Nicht genügend Arbeitsspeicher."));
  } catch (const std::exception& e) {
    Fail(QString::fromUtf8(e.what()));
  }
  return kExitFailure;
}
