// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/numberset.h"
#include "core/ticket.h"

// The evaluation's inner loop, over TicketList's blocks of 64 tickets (cell-major, see ticket.h).
// Each block yields the complete lines of its tickets as bit masks over the block (bit t = ticket t
// of the block), so one AND of five masks decides a line for 64 tickets at once; the win classes are
// counted bit-sliced from the same masks. Which kernel runs is chosen once, at run time, from what the
// processor offers, so the program runs on any x86-64 and uses AVX2 or AVX-512 where it can.
enum class LineKernel { Scalar, Avx2, Avx512 };

// A line that can complete (five distinct numbers 1..75) and has exactly four of its numbers chosen.
struct NearLine {
  int ticket = 0;            // 0-based
  std::uint8_t line = 0;     // 0..11, LineTable order
  std::uint8_t missing = 0;  // the number that would complete it
  bool operator==(const NearLine&) const = default;
};

struct LineKernelResult {
  std::vector<std::uint16_t> hits;    // per ticket: bit L-1 = line L complete
  std::vector<std::uint8_t> classes;  // per ticket: 0 none, 1, 2, 3 for three and more lines
  int one = 0, two = 0, three = 0;    // tickets of class 1, 2, 3
  // With near lines asked for: per ticket its near lines (bit L-1 = line L), and every near line,
  // sorted by ticket, then line.
  std::vector<std::uint16_t> near;
  std::vector<NearLine> nearLines;
};

// Kernels this processor can run, the plain one first; the last is the fastest.
std::vector<LineKernel> AvailableLineKernels();
LineKernel BestLineKernel();
const char* LineKernelName(LineKernel kernel);

// Evaluates every ticket against chosen (values outside 1..75 are never chosen). classes may be
// skipped (withClasses false) when only the line masks are wanted; near lines are found only with
// withNear. The result's buffers are reused: pass the same result again to evaluate without allocating.
void RunLineKernel(LineKernel kernel, const TicketList& tickets, const NumberSet& chosen,
                   LineKernelResult& out, bool withClasses = true, bool withNear = false);
