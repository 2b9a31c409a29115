// SPDX-License-Identifier: GPL-3.0-or-later
// The version file of the update check: records of 24 bytes, the text of the last whole record.
#include <QFile>
#include <optional>
#include <stdexcept>

#include "fuzz_support.h"
#include "net/updateversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QString> fromBytes = VersionFromRecords(bytes);

  // No whole record, no version; otherwise at most the 15 characters a record has room for, and
  // one character per byte of the record's text.
  FUZZ_CHECK(fromBytes.has_value() == (size >= kVersionRecordSize));
  if (fromBytes) {
    FUZZ_CHECK(fromBytes->size() <= 15);
    const std::size_t last = (size / kVersionRecordSize - 1) * kVersionRecordSize;
    const int length = data[last + 8] > 15 ? 15 : data[last + 8];
    FUZZ_CHECK(fromBytes->size() == length);
  }

  // The file reader reads only the last record and must agree with the reader of the whole bytes.
  static const QString path = fuzz::scratchFile("verinfos");
  fuzz::writeFile(path, bytes);
  const std::optional<QString> fromFile = ReadAvailableVersion(path);
  FUZZ_CHECK(fromFile == fromBytes);
  return 0;
}
