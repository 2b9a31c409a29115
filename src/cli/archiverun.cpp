// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/archiverun.h"

#include <QCoreApplication>
#include <QDir>

#include "archive/alldraws.h"
#include "archive/archive.h"
#include "cli/checkrun.h"
#include "cli/output.h"

namespace {

QString numbersText(const QList<int>& numbers, QLatin1StringView separator = QLatin1StringView(" ")) {
  QStringList parts;
  for (int n : numbers) parts << QString::number(n);
  return parts.join(separator);
}

// Puts prefix before every line but the first, which gets its own prefix or, when that is null, is
// dropped: the CSVs of all draws share the first one's header.
class LinePrefixSink : public ReportSink {
 public:
  explicit LinePrefixSink(ReportSink& next) : next_(next) {}
  void start(const QByteArray& prefix, const QByteArray& firstLinePrefix) {
    prefix_ = prefix;
    first_ = firstLinePrefix;
    atLineStart_ = true;
    firstLine_ = true;
  }
  void write(const char* data, std::size_t size) override {
    std::size_t i = 0;
    while (i < size) {
      const char* end = static_cast<const char*>(std::memchr(data + i, '\n', size - i));
      const std::size_t stop = end ? std::size_t(end - data) + 1 : size;
      const QByteArray& prefix = firstLine_ ? first_ : prefix_;
      if (!prefix.isNull()) {
        if (atLineStart_) next_.write(prefix.constData(), std::size_t(prefix.size()));
        next_.write(data + i, stop - i);
      }
      atLineStart_ = end != nullptr;
      if (end) firstLine_ = false;
      i = stop;
    }
  }

 private:
  ReportSink& next_;
  QByteArray prefix_;
  QByteArray first_;
  bool atLineStart_ = true;
  bool firstLine_ = true;
};

int failWith(const ArchiveFault& fault) {
  QString message = ArchiveFaultMessage(fault);
  if (fault.kind == ArchiveFault::Kind::Exists) message += QStringLiteral(" (--replace ersetzt sie)");
  Fail(message);
  return kExitFailure;
}

int addDraw(Archive& archive, const CheckerOptions& options) {
  const CheckOutcome outcome = RunCheck(options);
  const ArchiveDraw draw = DrawOfCheck(outcome.check, options.drawDate, options.drawName, outcome.files);
  const ArchiveFault fault = archive.store(draw, options.replaceDraw);
  if (!fault.ok()) return failWith(fault);
  FileSink sink(stdout);
  WriteReport(outcome.report(), options.format, sink);
  return FinishOutput(outcome.hasError() ? kExitErrorMessage : kExitOk);
}

int allDraws(Archive& archive, const CheckerOptions& options) {
  QList<DrawSummary> draws;
  const ArchiveFault fault = archive.drawNumbers({options.from, options.to}, draws);
  if (!fault.ok()) return failWith(fault);
  CheckerOptions ticketsOnly = options;
  ticketsOnly.hasNumbersFile = ticketsOnly.hasNumbersText = false;
  // The tickets are read (and laid out for the kernel) once; each draw only transfers its numbers.
  CheckOutcome outcome = RunCheck(ticketsOnly);
  const QList<CheckMessage> fileMessages = outcome.messages;
  FileSink out(stdout);
  LinePrefixSink prefixed(out);
  bool anyError = false;
  if (options.format == OutputFormat::Json) PrintTo(stdout, "[");
  for (qsizetype d = 0; d < draws.size(); ++d) {
    const DrawSummary& draw = draws[d];
    outcome.messages = fileMessages;
    // The numbers go straight onto the board: the text transfer cuts a text by its length and would
    // read some lists differently. The field shows them one per line, as the draw's file would.
    outcome.check.chosen.clear();
    for (int n : draw.numbers) outcome.check.chosen.toggle(n);
    outcome.fieldText = numbersText(draw.numbers, QLatin1StringView("\r\n"));
    outcome.check.evaluate();
    anyError |= outcome.hasError();
    const QByteArray date = draw.date.toString(Qt::ISODate).toUtf8();
    switch (options.format) {
      case OutputFormat::Csv:
        prefixed.start(date + ';', d == 0 ? QByteArray("Ziehung;") : QByteArray());
        WriteReport(outcome.report(), options.format, prefixed);
        break;
      case OutputFormat::Json:
        PrintTo(stdout, (d ? ",\n{\"draw\":" : "{\"draw\":") + JsonString(draw.date.toString(Qt::ISODate)) +
                            ",\"name\":" + JsonString(draw.name) + ",\"report\":");
        std::fflush(stdout);
        WriteReport(outcome.report(), options.format, out);
        PrintTo(stdout, "}");
        break;
      case OutputFormat::Text:
        PrintTo(stdout, (d ? "\nZiehung " : "Ziehung ") + DrawTitle(draw.date, draw.name).toUtf8() + "\n\n");
        WriteReport(outcome.report(), options.format, out);
        break;
    }
  }
  if (options.format == OutputFormat::Json) PrintTo(stdout, "]\n");
  return FinishOutput(anyError ? kExitErrorMessage : kExitOk);
}

int listDraws(Archive& archive, const CheckerOptions& options) {
  QList<DrawSummary> draws;
  const ArchiveFault fault = archive.list({options.from, options.to}, draws);
  if (!fault.ok()) return failWith(fault);
  QByteArray out;
  switch (options.format) {
    case OutputFormat::Csv:
      out = DrawsCsv(draws);
      break;
    case OutputFormat::Json: {
      out = "[";
      for (qsizetype i = 0; i < draws.size(); ++i) {
        const DrawSummary& d = draws[i];
        QByteArray files;
        for (const QString& f : d.files) files += (files.isEmpty() ? "" : ",") + JsonString(f);
        out += (i ? ",\n" : "") + QByteArray("{\"date\":") + JsonString(d.date.toString(Qt::ISODate)) +
               ",\"name\":" + JsonString(d.name) + ",\"numbers\":[" +
               numbersText(d.numbers).replace(' ', ',').toUtf8() +
               "],\"tickets\":" + QByteArray::number(d.tickets) + ",\"winners\":[" +
               QByteArray::number(d.winners[0]) + ',' + QByteArray::number(d.winners[1]) + ',' +
               QByteArray::number(d.winners[2]) + "],\"files\":[" + files + "]}";
      }
      out += "]\n";
      break;
    }
    case OutputFormat::Text:
      out = "Datum       Name                 Lose  1 x  2 x  3 x  Zahlen\n";
      for (const DrawSummary& d : draws)
        out += QStringLiteral("%1  %2 %3 %4 %5 %6  %7\n")
                   .arg(d.date.toString(Qt::ISODate))
                   .arg(d.name, -20)
                   .arg(d.tickets, 5)
                   .arg(d.winners[0], 4)
                   .arg(d.winners[1], 4)
                   .arg(d.winners[2], 4)
                   .arg(numbersText(d.numbers))
                   .toUtf8();
      out += QStringLiteral("%1 Ziehungen\n").arg(draws.size()).toUtf8();
      break;
  }
  PrintTo(stdout, out);
  return FinishOutput(kExitOk);
}

int stats(Archive& archive, const CheckerOptions& options) {
  NumberStatistics s;
  const ArchiveFault fault = archive.statistics({options.from, options.to}, s);
  if (!fault.ok()) return failWith(fault);
  QByteArray out;
  switch (options.format) {
    case OutputFormat::Csv:
      out = "Zahl;gezogen\n";
      for (int n = 1; n <= 75; ++n)
        out += QByteArray::number(n) + ';' + QByteArray::number(s.drawn[n]) + '\n';
      break;
    case OutputFormat::Json:
      out = "{\"draws\":" + QByteArray::number(s.draws) + ",\"drawn\":{";
      for (int n = 1; n <= 75; ++n)
        out += (n > 1 ? ",\"" : "\"") + QByteArray::number(n) + "\":" + QByteArray::number(s.drawn[n]);
      out += "}}\n";
      break;
    case OutputFormat::Text:
      out = QStringLiteral("Ziehungen: %1\nZahl  gezogen\n").arg(s.draws).toUtf8();
      for (int n = 1; n <= 75; ++n) out += QStringLiteral("%1  %2\n").arg(n, 4).arg(s.drawn[n], 7).toUtf8();
      break;
  }
  PrintTo(stdout, out);
  return FinishOutput(kExitOk);
}

}  // namespace

QString DefaultArchivePath() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty() || !QDir::isAbsolutePath(data))
    data = QDir::homePath() + QStringLiteral("/.local/share");
  return QDir::cleanPath(data) + QStringLiteral("/ZIEHFIX/") + ArchiveFileName();
}

int RunArchiveAction(const CheckerOptions& options) {
  // Qt finds its SQLite driver, a plug-in, only with an application object.
  static int argc = 1;
  static char name[] = "ziehfix-check";
  static char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  Archive archive;
  const ArchiveFault opened =
      archive.open(options.archivePath.isEmpty() ? DefaultArchivePath() : options.archivePath);
  if (!opened.ok()) return failWith(opened);
  switch (options.archiveAction) {
    case ArchiveAction::AddDraw:
      return addDraw(archive, options);
    case ArchiveAction::AllDraws:
      return allDraws(archive, options);
    case ArchiveAction::List:
      return listDraws(archive, options);
    case ArchiveAction::Stats:
      return stats(archive, options);
    case ArchiveAction::None:
      break;
  }
  return kExitFailure;
}
