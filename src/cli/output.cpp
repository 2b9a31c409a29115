// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output.h"

void PrintTo(std::FILE* stream, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

void Fail(const QString& reason) {
  PrintTo(stderr, "ziehfix-check: " + reason.toUtf8() + '\n');
}

void WriteReport(const ReportInput& report, OutputFormat format, ReportSink& sink) {
  if (format != OutputFormat::Json) PrintTo(stderr, MessageLines(report));
  switch (format) {
    case OutputFormat::Json:
      WriteJsonReport(report, sink);
      break;
    case OutputFormat::Text:
      WriteTextReport(report, sink);
      break;
    case OutputFormat::Csv:
      WriteCsvReport(report, sink);
      break;
  }
}

int FinishOutput(int status) {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Fail(QStringLiteral("Die Ausgabe konnte nicht vollständig geschrieben werden."));
    return kExitFailure;
  }
  return status;
}
