// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/linekernel.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "core/lines.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZIEHFIX_X86 1
#endif

namespace {

constexpr int kBlock = TicketList::kBlockTickets;
constexpr LineTableType kLines = BuildLineTable();

// Bit j of byte k is set when the number 8k + j is chosen: 16 bytes cover the values 0..127, which is
// every value a block holds (0 for a cell without a lottery number, never chosen).
// The 16 bytes stand four times in a row, one copy for each 128-bit lane of a vector register.
struct ChosenTable {
  alignas(64) std::uint8_t bytes[64] = {};
  std::uint8_t isChosen[128] = {};
};

alignas(64) constexpr std::uint8_t kBitOf[64] = {1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128,
                                                 1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128,
                                                 1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128,
                                                 1, 2, 4, 8, 16, 32, 64, 128, 1, 2, 4, 8, 16, 32, 64, 128};

ChosenTable MakeChosenTable(const NumberSet& chosen) {
  ChosenTable t;
  for (int n = 1; n <= 75; ++n) {
    if (!chosen.contains(n)) continue;
    for (int lane = 0; lane < 4; ++lane) t.bytes[lane * 16 + (n >> 3)] |= std::uint8_t(1u << (n & 7));
    t.isChosen[n] = 1;
  }
  return t;
}

// Lines, hits and classes of one block from its 25 chosen-cell masks. Few tickets win, so the
// per-ticket outputs (already zero) are written only for the tickets with a complete line.
struct BlockCounts {
  int one = 0, two = 0, three = 0;
};

// The near lines of one block: a line is near when exactly one of its five cells is not chosen, so
// one mask per line holds the block's tickets with that line near. Few tickets have one, and those are
// then visited in order, each with its lines in order, so the list needs no sorting.
void NearLinesOfBlock(const std::uint64_t (&cell)[25], const std::uint64_t* completable,
                      const std::uint8_t* values, int first, LineKernelResult& out) {
  std::uint64_t near[kLineCount];
  std::uint64_t any = 0;
  for (int l = 0; l < kLineCount; ++l) {
    const auto& c = kLines[l];
    const std::uint64_t a = cell[c[0] - 1], b = cell[c[1] - 1], m = cell[c[2] - 1], d = cell[c[3] - 1],
                        e = cell[c[4] - 1];
    const std::uint64_t ab = a & b, de = d & e;
    near[l] =
        ((~a & b & m & de) | (a & ~b & m & de) | (ab & ~m & de) | (ab & m & ~d & e) | (ab & m & d & ~e)) &
        completable[l];
    any |= near[l];
  }
  for (std::uint64_t rest = any; rest != 0; rest &= rest - 1) {
    const int slot = std::countr_zero(rest);
    std::uint16_t mask = 0;
    for (int l = 0; l < kLineCount; ++l) mask |= std::uint16_t(((near[l] >> slot) & 1) << l);
    out.near[std::size_t(first + slot)] = mask;
    for (unsigned lines = mask; lines != 0; lines &= lines - 1) {
      const int l = std::countr_zero(lines);
      int missing = 0;
      for (int c : kLines[l])
        if (!((cell[c - 1] >> slot) & 1)) missing = values[std::size_t(c - 1) * kBlock + std::size_t(slot)];
      out.nearLines.push_back(NearLine{first + slot, std::uint8_t(l), std::uint8_t(missing)});
    }
  }
}

inline void FinishBlock(const std::uint64_t (&cell)[25], const std::uint64_t* completable, int first,
                        int count, LineKernelResult& out, bool withClasses, BlockCounts& counts) {
  std::uint64_t lines[kLineCount];
  std::uint64_t any = 0;
  for (int l = 0; l < kLineCount; ++l) {
    const auto& c = kLines[l];
    lines[l] =
        cell[c[0] - 1] & cell[c[1] - 1] & cell[c[2] - 1] & cell[c[3] - 1] & cell[c[4] - 1] & completable[l];
    any |= lines[l];
  }
  if (any == 0) return;
  if (count < kBlock) any &= (std::uint64_t(1) << count) - 1;

  // Saturating bit-sliced counters: c1, c2, c3 hold the tickets with one, two, three or more lines.
  std::uint64_t c1 = 0, c2 = 0, c3 = 0;
  for (std::uint64_t l : lines) {
    const std::uint64_t none = ~(c1 | c2 | c3);
    c3 |= c2 & l;
    c2 = (c2 & ~l) | (c1 & l);
    c1 = (c1 & ~l) | (none & l);
  }
  counts.one += std::popcount(c1 & any);
  counts.two += std::popcount(c2 & any);
  counts.three += std::popcount(c3 & any);

  for (std::uint64_t rest = any; rest != 0; rest &= rest - 1) {
    const int i = std::countr_zero(rest);
    std::uint16_t h = 0;
    for (int l = 0; l < kLineCount; ++l) h |= std::uint16_t(((lines[l] >> i) & 1) << l);
    out.hits[std::size_t(first + i)] = h;
    if (withClasses)
      out.classes[std::size_t(first + i)] =
          std::uint8_t(((c1 >> i) & 1) | (((c2 >> i) & 1) << 1) | (((c3 >> i) & 1) * 3));
  }
}

void CellMasksScalar(const std::uint8_t* values, const ChosenTable& table, std::uint64_t (&cell)[25]) {
  for (int c = 0; c < 25; ++c) {
    const std::uint8_t* v = values + c * kBlock;
    std::uint64_t m = 0;
    for (int i = 0; i < kBlock; ++i) m |= std::uint64_t(table.isChosen[v[i] & 127]) << i;
    cell[c] = m;
  }
}

#ifdef ZIEHFIX_X86
// Byte look-ups with PSHUFB: the value's upper bits pick the table byte, its lower three the bit.
__attribute__((target("avx2"))) void CellMasksAvx2(const std::uint8_t* values, const ChosenTable& table,
                                                   std::uint64_t (&cell)[25]) {
  const __m256i tab = _mm256_load_si256(reinterpret_cast<const __m256i*>(table.bytes));
  const __m256i bits = _mm256_load_si256(reinterpret_cast<const __m256i*>(kBitOf));
  const __m256i low4 = _mm256_set1_epi8(0x0F), low3 = _mm256_set1_epi8(0x07);
  for (int c = 0; c < 25; ++c) {
    std::uint64_t m = 0;
    for (int half = 0; half < 2; ++half) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values + c * kBlock + half * 32));
      const __m256i byte = _mm256_shuffle_epi8(tab, _mm256_and_si256(_mm256_srli_epi16(v, 3), low4));
      const __m256i bit = _mm256_shuffle_epi8(bits, _mm256_and_si256(v, low3));
      const __m256i hit = _mm256_cmpeq_epi8(_mm256_and_si256(byte, bit), bit);
      m |= std::uint64_t(std::uint32_t(_mm256_movemask_epi8(hit))) << (32 * half);
    }
    cell[c] = m;
  }
}

__attribute__((target("avx512f,avx512bw"))) void CellMasksAvx512(const std::uint8_t* values,
                                                                 const ChosenTable& table,
                                                                 std::uint64_t (&cell)[25]) {
  const __m512i tab = _mm512_load_si512(table.bytes);
  const __m512i bits = _mm512_load_si512(kBitOf);
  const __m512i low4 = _mm512_set1_epi8(0x0F), low3 = _mm512_set1_epi8(0x07);
  for (int c = 0; c < 25; ++c) {
    const __m512i v = _mm512_loadu_si512(values + c * kBlock);
    const __m512i byte = _mm512_shuffle_epi8(tab, _mm512_and_si512(_mm512_srli_epi16(v, 3), low4));
    const __m512i bit = _mm512_shuffle_epi8(bits, _mm512_and_si512(v, low3));
    cell[c] = _mm512_test_epi8_mask(byte, bit);
  }
}
#endif

using CellMaskFn = void (*)(const std::uint8_t*, const ChosenTable&, std::uint64_t (&)[25]);

CellMaskFn CellMasksOf(LineKernel kernel) {
#ifdef ZIEHFIX_X86
  if (kernel == LineKernel::Avx512) return CellMasksAvx512;
  if (kernel == LineKernel::Avx2) return CellMasksAvx2;
#endif
  (void)kernel;
  return CellMasksScalar;
}

}  // namespace

std::vector<LineKernel> AvailableLineKernels() {
  std::vector<LineKernel> kernels{LineKernel::Scalar};
#ifdef ZIEHFIX_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) kernels.push_back(LineKernel::Avx2);
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
    kernels.push_back(LineKernel::Avx512);
#endif
  return kernels;
}

LineKernel BestLineKernel() {
  static const LineKernel best = AvailableLineKernels().back();
  return best;
}

const char* LineKernelName(LineKernel kernel) {
  switch (kernel) {
    case LineKernel::Avx512:
      return "avx512";
    case LineKernel::Avx2:
      return "avx2";
    case LineKernel::Scalar:
      break;
  }
  return "scalar";
}

void RunLineKernel(LineKernel kernel, const TicketList& tickets, const NumberSet& chosen,
                   LineKernelResult& out, bool withClasses, bool withNear) {
  // The outputs keep their memory from the last run: a fresh 2 MB buffer per evaluation would cost
  // more in page faults than the evaluation itself. Each block clears its own part while it is in cache.
  const int count = tickets.count();
  out.hits.resize(std::size_t(count));
  out.classes.resize(withClasses ? std::size_t(count) : 0);
  out.near.resize(withNear ? std::size_t(count) : 0);
  out.nearLines.clear();
  const ChosenTable table = MakeChosenTable(chosen);
  const CellMaskFn cellMasks = CellMasksOf(kernel);
  BlockCounts counts;
  std::uint64_t cell[25];
  for (int b = 0; b < tickets.blockCount(); ++b) {
    const int first = b * kBlock;
    const int n = std::min(kBlock, count - first);
    std::memset(out.hits.data() + first, 0, std::size_t(n) * sizeof(std::uint16_t));
    if (withClasses) std::memset(out.classes.data() + first, 0, std::size_t(n));
    cellMasks(tickets.blockValues(b), table, cell);
    FinishBlock(cell, tickets.blockCompletable(b), first, n, out, withClasses, counts);
    if (withNear) {
      std::memset(out.near.data() + first, 0, std::size_t(n) * sizeof(std::uint16_t));
      NearLinesOfBlock(cell, tickets.blockCompletable(b), tickets.blockValues(b), first, out);
    }
  }
  out.one = counts.one;
  out.two = counts.two;
  out.three = counts.three;
}
