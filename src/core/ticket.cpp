// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ticket.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__linux__)
#include <sys/mman.h>
#endif

#include "core/lines.h"
#include "core/text.h"

namespace {

// The number 1..75 that text spells in the plain form ("7", "42"), else 0.
int CanonicalNumber(QStringView text) {
  if (text.size() == 1) {
    const char16_t c = text[0].unicode();
    return c >= u'1' && c <= u'9' ? c - u'0' : 0;
  }
  if (text.size() == 2) {
    const char16_t a = text[0].unicode(), b = text[1].unicode();
    if (a < u'1' || a > u'7' || b < u'0' || b > u'9') return 0;
    const int v = (a - u'0') * 10 + (b - u'0');
    return v <= 75 ? v : 0;
  }
  return 0;
}

constexpr LineTableType kLines = BuildLineTable();

std::uint16_t CompletableLinesExact(const std::uint8_t* v) {
  std::uint16_t lines = 0;
  for (int l = 0; l < kLineCount; ++l) {
    std::uint64_t seen[2] = {0, 0};
    bool ok = true;
    for (int c : kLines[l]) {
      const int x = v[c - 1];
      const std::uint64_t bit = std::uint64_t(1) << (x & 63);
      if (x == 0 || (seen[x >> 6] & bit)) {
        ok = false;
        break;
      }
      seen[x >> 6] |= bit;
    }
    if (ok) lines |= std::uint16_t(1u << l);
  }
  return lines;
}

// A line can complete when its five cells hold five distinct numbers 1..75. Nearly every ticket
// holds no number twice, and then the cells that hold a number decide it.
std::uint16_t CompletableLines(const std::uint8_t* v) {
  std::uint32_t filled = 0;
  std::uint64_t seen[2] = {0, 0};
  bool repeated = false;
  for (int c = 0; c < 25; ++c) {
    const int x = v[c];
    if (x == 0) continue;
    const std::uint64_t bit = std::uint64_t(1) << (x & 63);
    repeated |= (seen[x >> 6] & bit) != 0;
    seen[x >> 6] |= bit;
    filled |= 1u << c;
  }
  if (repeated) return CompletableLinesExact(v);
  std::uint16_t lines = 0;
  for (int l = 0; l < kLineCount; ++l)
    lines |= std::uint16_t(((filled & kLineCellMasks[l]) == kLineCellMasks[l]) << l);
  return lines;
}

const QString kSpace = QStringLiteral(" ");

// A list of a million tickets fills about 40 MB as it is read; in pages of 4 KB that is ten thousand
// page faults, which cost more than the parsing on a virtual machine. Large pages, where the system
// offers them on request, take a few dozen instead.
void PreferLargePages(const void* data, std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kLarge = std::uintptr_t(2) << 20;
  if (bytes < 2 * kLarge) return;
  const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
  const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) & ~(kLarge - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);  // a hint only
#else
  (void)data;
  (void)bytes;
#endif
}

}  // namespace

CellValue ValueOfCell(QStringView text) {
  // Blanks of a cell are the codes 1..32; a NUL is a character like any other, so a cell holding
  // one is no number rather than blank.
  qsizetype i = 0;
  while (i < text.size() && text[i].unicode() >= 1 && text[i].unicode() <= 32) ++i;
  if (i == text.size()) return {};
  int v = 0;
  if (ParseStrictInt(text.mid(i), &v)) return {CellKind::Number, v};
  return {CellKind::Invalid, 0};
}

void TicketList::append(const TicketCells& cells) {
  std::array<QStringView, 25> views;
  for (int c = 0; c < 25; ++c) views[c] = cells[c];
  appendViews(views);
}

void TicketList::appendViews(const std::array<QStringView, 25>& cells) {
  std::array<std::uint8_t, 25> codes;
  std::array<QString, 25> texts;
  for (int c = 0; c < 25; ++c) {
    const QStringView text = cells[c];
    if (text.isEmpty())
      codes[c] = kEmptyCell;
    else if (text.size() == 1 && text[0] == QLatin1Char(' '))
      codes[c] = kSpaceCell;
    else if (const int n = CanonicalNumber(text))
      codes[c] = std::uint8_t(n);
    else {
      codes[c] = kTextCell;
      texts[c] = text.toString();
    }
  }
  appendCoded(codes, texts);
}

void TicketList::appendCoded(const std::array<std::uint8_t, 25>& codes, std::array<QString, 25>& texts) {
  const std::uint32_t base = std::uint32_t(meta_.size()) * 25;
  Meta meta;
  std::uint8_t v[25];
  // Nearly every ticket holds only plain numbers and empty cells: its codes are its values.
  bool plain = true;
  for (int c = 0; c < 25; ++c) plain &= codes[c] <= 75;
  if (plain) std::memcpy(v, codes.data(), 25);
  for (int c = 0; c < 25 && !plain; ++c) {
    const std::uint8_t code = codes[c];
    v[c] = 0;
    if (code == kSpaceCell) {
      meta.spaces |= 1u << c;
    } else if (code == kTextCell) {
      meta.extra |= 1u << c;
      const CellValue value = ValueOfCell(texts[c]);
      if (value.kind == CellKind::Number && value.value >= 1 && value.value <= 75)
        v[c] = std::uint8_t(value.value);
      if (value.kind == CellKind::Invalid) ++invalidCells_;
      extraTexts_.emplace_back(base + c, std::move(texts[c]));
    } else if (code <= 75) {
      v[c] = code;
    }
  }
  meta.completable = CompletableLines(v);
  placeInBlock(int(meta_.size()), v, meta.completable);
  meta_.push_back(meta);
}

void TicketList::placeInBlock(int ticket, const std::uint8_t* values, std::uint16_t completable) {
  const std::size_t block = std::size_t(ticket) / kBlockTickets;
  const int slot = ticket % kBlockTickets;
  if (slot == 0) {
    blocked_.resize((block + 1) * kBlockBytes, 0);
    blockCompletable_.resize((block + 1) * kLineMasks, 0);
  }
  std::uint8_t* rows = blocked_.data() + block * kBlockBytes;
  for (int c = 0; c < 25; ++c) rows[std::size_t(c) * kBlockTickets + slot] = values[c];
  for (int l = 0; l < kLineMasks; ++l)
    if (completable & (1u << l)) blockCompletable_[block * kLineMasks + l] |= std::uint64_t(1) << slot;
}

void TicketList::append(const TicketList& other) {
  if (&other == this) {
    const TicketList copy = other;
    append(copy);
    return;
  }
  const std::uint32_t base = std::uint32_t(meta_.size()) * 25;
  blocked_.reserve(blocked_.size() + other.blocked_.size() + kBlockBytes);
  // Slot by slot, since this list's last block may be partly filled.
  const int before = count();
  for (int t = 0; t < other.count(); ++t)
    placeInBlock(before + t, other.lotteryValues(t).data(), other.meta_[std::size_t(t)].completable);
  meta_.insert(meta_.end(), other.meta_.begin(), other.meta_.end());
  for (const auto& [key, text] : other.extraTexts_) extraTexts_.emplace_back(base + key, text);
  invalidCells_ += other.invalidCells_;
}

void TicketList::clear() {
  meta_.clear();
  meta_.shrink_to_fit();
  extraTexts_.clear();
  extraTexts_.shrink_to_fit();
  blocked_.clear();
  blocked_.shrink_to_fit();
  blockCompletable_.clear();
  blockCompletable_.shrink_to_fit();
  invalidCells_ = 0;
}

void TicketList::reserve(int tickets) {
  meta_.reserve(std::size_t(tickets));
  const std::size_t blocks = (std::size_t(tickets) + kBlockTickets - 1) / kBlockTickets;
  blocked_.reserve(blocks * kBlockBytes);
  blockCompletable_.reserve(blocks * kLineMasks);
  PreferLargePages(meta_.data(), meta_.capacity() * sizeof(Meta));
  PreferLargePages(blocked_.data(), blocked_.capacity());
}

const QString* TicketList::extraText(std::uint32_t key) const {
  const auto it = std::lower_bound(extraTexts_.begin(), extraTexts_.end(), key,
                                   [](const auto& entry, std::uint32_t k) { return entry.first < k; });
  return it != extraTexts_.end() && it->first == key ? &it->second : nullptr;
}

QString TicketList::cellText(int ticket, int cell) const {
  const Meta& meta = meta_[ticket];
  if (meta.extra & (1u << cell)) {
    const QString* text = extraText(std::uint32_t(ticket) * 25 + cell);
    return text ? *text : QString();
  }
  if (meta.spaces & (1u << cell)) return kSpace;
  const int v = lotteryValue(ticket, cell);
  return v ? QString::number(v) : QString();
}

std::array<std::uint8_t, 25> TicketList::lotteryValues(int ticket) const {
  std::array<std::uint8_t, 25> out;
  for (int c = 0; c < 25; ++c) out[std::size_t(c)] = lotteryValue(ticket, c);
  return out;
}

TicketCells TicketList::cells(int ticket) const {
  TicketCells out;
  for (int c = 0; c < 25; ++c) out[c] = cellText(ticket, c);
  return out;
}

CellValue TicketList::cellValue(int ticket, int cell) const {
  if (meta_[ticket].extra & (1u << cell)) return ValueOfCell(cellText(ticket, cell));
  const int v = lotteryValue(ticket, cell);
  return v ? CellValue{CellKind::Number, v} : CellValue{};
}
