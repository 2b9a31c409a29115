// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdio>

#include "cli/options.h"
#include "core/report.h"

constexpr int kExitOk = 0;
constexpr int kExitErrorMessage = 1;
constexpr int kExitFailure = 2;

void PrintTo(std::FILE* stream, const QByteArray& bytes);
// "ziehfix-check: reason" on the error output.
void Fail(const QString& reason);

// Writes to a stream; once a write fails, the rest is dropped and FinishOutput reports it.
class FileSink : public ReportSink {
 public:
  explicit FileSink(std::FILE* stream) : stream_(stream) {}
  void write(const char* data, std::size_t size) override {
    if (!std::ferror(stream_)) std::fwrite(data, 1, size, stream_);
  }

 private:
  std::FILE* stream_;
};

// Writes the report in the chosen format to sink (messages of the text and CSV forms to stderr).
void WriteReport(const ReportInput& report, OutputFormat format, ReportSink& sink);

// Flushes stdout; output that did not arrive completely must not look like a successful check.
// Returns status, or kExitFailure with a message when the output failed.
int FinishOutput(int status);
