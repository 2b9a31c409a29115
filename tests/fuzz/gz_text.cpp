// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-number text field: SplitGZText and the transfer to the board, and a second transfer of
// the field's own output.
#include "core/text.h"
#include "core/winningnumbers.h"
#include "fuzz_support.h"
#include "gz_board.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool utf16 = in.byte() & 1;
  const QString text = fuzz::textOf(in.rest(), utf16);

  const SplitResult split = SplitGZText(text);
  const QString trimmed = Trimmed(text);
  const qsizetype length = trimmed.size();
  if (length >= 45) {
    // Separator and line mode cut the field's lines; only separators are replaced.
    FUZZ_CHECK(split.items == LinesOf(split.fieldText));
  } else if (length >= 23) {
    // A run of 22 numbers: 22 pieces of one or two characters that together are the text, last first.
    FUZZ_CHECK(split.items.size() == 22);
    QString joined;
    for (const QString& item : split.items) {
      FUZZ_CHECK(item.size() == 1 || item.size() == 2);
      joined.prepend(item);
    }
    FUZZ_CHECK(joined == trimmed);
  }
  for (const QString& item : split.items) FUZZ_CHECK(trimmed.contains(item));

  fuzz::Board first;
  TransferGZText(text, first);
  first.checkInvariants();
  FUZZ_CHECK(first.field == split.fieldText);

  // The field's own output transferred again gives the same numbers when it was cut as a run of
  // digits (its pieces, one per line, are then read line by line) or read line by line already. A
  // comma inside the run would be taken as a separator the second time, so such texts are left out.
  const bool digitRun = length >= 23 && length <= 44 && !trimmed.contains(QLatin1Char(','));
  const bool lineMode = length >= 45 && length <= 55;
  if (digitRun || lineMode) {
    fuzz::Board second;
    TransferGZText(first.field, second);
    second.checkInvariants();
    FUZZ_CHECK(second.chosen == first.chosen);
    FUZZ_CHECK(second.order == first.order);
    FUZZ_CHECK(second.messages == first.messages);
  }
  return 0;
}
