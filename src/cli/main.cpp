// ziehfix-check: checks tickets against winning numbers without a window, for scripts and tests.
#include <unistd.h>

#include <QByteArray>
#include <QFileInfo>
#include <cstdio>
#include <exception>

#include "cli/checkrun.h"
#include "cli/options.h"
#include "core/report.h"
#ifdef ZIEHFIX_HAVE_SCAN
#include "scan/recogniserthreads.h"
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitErrorMessage = 1;
constexpr int kExitFailure = 2;

void printTo(std::FILE* stream, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

// Writes to a stream; once a write fails, the rest is dropped and the end check reports it.
class FileSink : public ReportSink {
 public:
  explicit FileSink(std::FILE* stream) : stream_(stream) {}
  void write(const char* data, std::size_t size) override {
    if (!std::ferror(stream_)) std::fwrite(data, 1, size, stream_);
  }

 private:
  std::FILE* stream_;
};

void fail(const QString& reason) {
  printTo(stderr, "ziehfix-check: " + reason.toUtf8() + '\n');
}

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
  fail(
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
    fail(error + QStringLiteral(" (--help zeigt den Aufruf)"));
    return kExitFailure;
  }
  if (options.help) {
    printTo(stdout, CheckerUsage().toUtf8());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
  }

#if defined(ZIEHFIX_IMAGE_HELPER) && !defined(ZIEHFIX_HAVE_SCAN)
  if (options.fromImage) {
    runImageHelper(argv);
    return kExitFailure;
  }
#endif

  try {
    const CheckOutcome outcome = RunCheck(options);
    if (options.format != OutputFormat::Json) printTo(stderr, MessageLines(outcome.report()));
    // The report goes out piece by piece as it is written; a million tickets make hundreds of MB.
    FileSink sink(stdout);
    switch (options.format) {
      case OutputFormat::Json:
        WriteJsonReport(outcome.report(), sink);
        break;
      case OutputFormat::Text:
        WriteTextReport(outcome.report(), sink);
        break;
      case OutputFormat::Csv:
        WriteCsvReport(outcome.report(), sink);
        break;
    }
    // Output that did not arrive completely must not look like a successful check.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
      fail(QStringLiteral("Die Ausgabe konnte nicht vollständig geschrieben werden."));
      return kExitFailure;
    }
    return outcome.hasError() ? kExitErrorMessage : kExitOk;
  } catch (const std::bad_alloc&) {
    fail(QStringLiteral("Nicht genügend Arbeitsspeicher."));
  } catch (const std::exception& e) {
    fail(QString::fromUtf8(e.what()));
  }
  return kExitFailure;
}
