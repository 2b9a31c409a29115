// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/alldraws.h"

void CheckAgainstDraws(const TicketList& tickets, const QList<DrawSummary>& draws,
                       const std::function<void(qsizetype, const LineKernelResult&)>& visit) {
  const LineKernel kernel = BestLineKernel();
  LineKernelResult result;
  for (qsizetype d = 0; d < draws.size(); ++d) {
    NumberSet chosen;
    for (int n : draws[d].numbers) chosen.include(n);
    RunLineKernel(kernel, tickets, chosen, result);
    visit(d, result);
  }
}

std::vector<int> WinsPerTicket(const TicketList& tickets, const QList<DrawSummary>& draws) {
  std::vector<int> wins(std::size_t(tickets.count()), 0);
  CheckAgainstDraws(tickets, draws, [&](qsizetype, const LineKernelResult& r) {
    for (std::size_t t = 0; t < wins.size(); ++t) wins[t] += r.classes[t] != 0;
  });
  return wins;
}
