// SPDX-License-Identifier: GPL-3.0-or-later
// The reference the checker's benchmark measures against: a plain C checker as one would write it
// in an afternoon. It reads a ticket file of plain rows (numbers separated by commas, five lines a
// ticket), keeps each ticket as a bitboard of its drawn cells, and writes the same CSV as
// "ziehfix-check --format csv" through stdio.
//   plain_checker FILE N1 N2 ...
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

static const uint32_t kLines[12] = {
    0x1Fu, 0x1Fu << 5, 0x1Fu << 10, 0x1Fu << 15, 0x1Fu << 20,      // rows
    0x108421u, 0x108421u << 1, 0x108421u << 2, 0x108421u << 3, 0x108421u << 4,  // columns
    0x1041041u, 0x111110u,                                           // diagonals
};

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  FILE* in = fopen(argv[1], "rb");
  if (!in) return 2;
  fseek(in, 0, SEEK_END);
  const long size = ftell(in);
  fseek(in, 0, SEEK_SET);
  char* bytes = malloc((size_t)size + 1);
  if (!bytes || fread(bytes, 1, (size_t)size, in) != (size_t)size) return 2;
  fclose(in);
  bytes[size] = 0;

  uint64_t drawn[2] = {0, 0};
  for (int i = 2; i < argc; ++i) {
    const int n = atoi(argv[i]);
    if (n >= 1 && n <= 75) drawn[n >> 6] |= (uint64_t)1 << (n & 63);
  }

  int totals[4] = {0, 0, 0, 0};
  long ticket = 0;
  int cell = 0;
  uint32_t board = 0;
  fputs("ticket;1 x;2 x;3 x\n", stdout);
  for (const char* p = bytes; *p;) {
    if (*p >= '0' && *p <= '9') {
      int n = 0;
      while (*p >= '0' && *p <= '9') n = n * 10 + (*p++ - '0');
      if (n >= 1 && n <= 75 && (drawn[n >> 6] >> (n & 63) & 1)) board |= 1u << cell;
      ++cell;
      continue;
    }
    if (*p == '\n' && cell == 25) {
      int lines = 0;
      for (int l = 0; l < 12; ++l) lines += (board & kLines[l]) == kLines[l];
      const int winClass = lines > 3 ? 3 : lines;
      ++totals[winClass];
      ++ticket;
      static const char* marks[4] = {";-;-;-", ";x;;", ";;x;", ";;;x"};
      printf("%ld%s\n", ticket, marks[winClass]);
      cell = 0;
      board = 0;
    }
    ++p;
  }
  printf("Ges.:");
  for (int c = 1; c <= 3; ++c) totals[c] ? printf(";%d", totals[c]) : printf(";-");
  printf("\n");
  free(bytes);
  return 0;
}
