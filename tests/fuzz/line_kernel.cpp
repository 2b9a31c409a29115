// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation kernels on tickets made of the input's bytes: every kernel this processor runs gives
// the lines of a plain per-ticket loop over the cell values, and classes and totals that follow from
// those lines.
#include <bit>

#include "core/linekernel.h"
#include "core/lines.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  NumberSet chosen;
  const int chosenCount = in.byte() % 23;
  for (int i = 0; i < chosenCount; ++i) chosen.include(1 + in.byte() % 75);

  // Each input byte is one cell: mostly small numbers, so that lines complete; some values are blank,
  // out of range or a text that is no number.
  TicketList list;
  TicketCells cells;
  int cell = 0;
  while (in.left() > 0 && list.count() < 500) {
    const std::uint8_t b = in.byte();
    if (b < 200)
      cells[std::size_t(cell)] = QString::number(1 + b % 24);
    else if (b < 230)
      cells[std::size_t(cell)] = QString::number(b);  // 200..229: outside 1..75
    else
      cells[std::size_t(cell)] = b % 2 ? QStringLiteral(" ") : QStringLiteral("x");
    if (++cell == 25) {
      list.append(cells);
      cell = 0;
    }
  }

  std::vector<std::uint16_t> expected(std::size_t(list.count()));
  int one = 0, two = 0, three = 0;
  for (int t = 0; t < list.count(); ++t) {
    std::uint32_t chosenCells = 0;
    for (int c = 0; c < 25; ++c)
      if (chosen.contains(list.lotteryValue(t, c)) && list.lotteryValue(t, c) != 0) chosenCells |= 1u << c;
    std::uint16_t lines = 0;
    for (int l = 0; l < kLineCount; ++l)
      if ((chosenCells & kLineCellMasks[l]) == kLineCellMasks[l]) lines |= std::uint16_t(1u << l);
    expected[std::size_t(t)] = lines & list.completableLines(t);
    const int n = std::popcount(unsigned(expected[std::size_t(t)]));
    one += n == 1;
    two += n == 2;
    three += n >= 3;
  }
  for (LineKernel kernel : AvailableLineKernels()) {
    LineKernelResult result;
    RunLineKernel(kernel, list, chosen, result);
    FUZZ_CHECK(result.hits == expected);
    for (std::size_t t = 0; t < expected.size(); ++t)
      FUZZ_CHECK(result.classes[t] == std::min(3, std::popcount(unsigned(expected[t]))));
    FUZZ_CHECK(result.one == one && result.two == two && result.three == three);
  }
  return 0;
}
