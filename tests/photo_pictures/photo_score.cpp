// SPDX-License-Identifier: GPL-3.0-or-later
#include "photo_score.h"

#include <algorithm>

namespace {

int ReadNumber(const ScannedTicket& t, int cell) {
  if (t.doubtful[std::size_t(cell)]) return -1;
  const CellValue v = ValueOfCell(t.cells[std::size_t(cell)]);
  return v.kind == CellKind::Number ? v.value : 0;
}

// How many unmarked numbers of the read ticket equal the truth's with the read rows and columns moved.
int Alike(const ScannedTicket& read, const PhotoTicket& truth, int dRow, int dCol) {
  int alike = 0;
  for (int cell = 0; cell < 25; ++cell) {
    const int row = cell / 5 + dRow, col = cell % 5 + dCol, n = ReadNumber(read, cell);
    if (n > 0 && row >= 0 && row < 5 && col >= 0 && col < 5 && truth.numbers[std::size_t(row * 5 + col)] == n)
      ++alike;
  }
  return alike;
}

QString Numbers(const std::array<int, 25>& n) {
  QStringList rows;
  for (int r = 0; r < 5; ++r) {
    QStringList row;
    for (int c = 0; c < 5; ++c) row << QString::number(n[std::size_t(r * 5 + c)]);
    rows << row.join(' ');
  }
  return rows.join(" / ");
}

QString ReadNumbers(const ScannedTicket& t) {
  QStringList rows;
  for (int r = 0; r < 5; ++r) {
    QStringList row;
    for (int c = 0; c < 5; ++c) {
      const int n = ReadNumber(t, r * 5 + c);
      row << (n < 0 ? QStringLiteral("?") : QString::number(n));
    }
    rows << row.join(' ');
  }
  return rows.join(" / ");
}

}  // namespace

QStringList PhotoScore::add(const PhotoPicture& truth, const ScanResult& read, double secs) {
  QStringList faults;
  ++pictures;
  seconds.push_back(secs);
  if (truth.tickets.empty()) {
    ++blankPictures;
    blankTickets += long(read.tickets.size());
    if (!read.tickets.empty())
      faults << QStringLiteral("%1 tickets read where there is none").arg(read.tickets.size());
    return faults;
  }
  std::vector<const ScannedTicket*> match(truth.tickets.size(), nullptr);
  for (const ScannedTicket& r : read.tickets) {
    int best = 0, bestTruth = -1;
    bool bestMoved = false;
    for (std::size_t t = 0; t < truth.tickets.size(); ++t)
      for (int dr = -2; dr <= 2; ++dr)
        for (int dc = -2; dc <= 2; ++dc) {
          const int alike = Alike(r, truth.tickets[t], dr, dc);
          const bool moved = dr != 0 || dc != 0;
          if (alike > best || (alike == best && alike > 0 && !moved && bestMoved)) {
            best = alike;
            bestTruth = int(t);
            bestMoved = moved;
          }
        }
    if (best >= 3 && bestMoved) {
      ++shifted;
      faults << QStringLiteral("shifted: read %1 for ticket %2 (%3)")
                    .arg(ReadNumbers(r))
                    .arg(bestTruth + 1)
                    .arg(Numbers(truth.tickets[std::size_t(bestTruth)].numbers));
      continue;
    }
    if (best < 3) {
      bestTruth = -1;
      for (std::size_t t = 0; t < truth.tickets.size(); ++t) {
        const QRectF outline = truth.tickets[t].outline.boundingRect();
        const QRectF common = outline & QRectF(r.place);
        if (!match[t] && common.width() * common.height() >= 0.5 * outline.width() * outline.height())
          bestTruth = int(t);
      }
    }
    if (bestTruth < 0 || match[std::size_t(bestTruth)]) {
      ++invented;
      faults << QStringLiteral("invented: read %1 at %2,%3")
                    .arg(ReadNumbers(r))
                    .arg(r.place.x())
                    .arg(r.place.y());
      continue;
    }
    match[std::size_t(bestTruth)] = &r;
  }
  for (std::size_t t = 0; t < truth.tickets.size(); ++t) {
    const PhotoTicket& want = truth.tickets[t];
    const ScannedTicket* got = match[t];
    if (want.required) {
      ++required;
      ++byLayout[want.layout].second;
      byLayout[want.layout].first += got != nullptr;
      for (int n : want.numbers) numbers += n > 0;
    } else {
      ++optional;
    }
    if (!got) {
      if (want.required)
        faults << QStringLiteral("not found: ticket %1 (%2)").arg(t + 1).arg(Numbers(want.numbers));
      continue;
    }
    want.required ? ++found : ++optionalRead;
    if (want.required && got->gridDoubtful) {
      ++foundInDoubt;
      for (int n : want.numbers) inDoubtNumbers += n > 0;
    }
    int wrong = 0;
    for (int cell = 0; cell < 25; ++cell) {
      const int n = want.numbers[std::size_t(cell)], r = ReadNumber(*got, cell);
      if (n == 0) {
        wrong += r > 0;
        continue;
      }
      if (!want.required) {
        wrong += r >= 0 && r != n;
        continue;
      }
      ++foundNumbers;
      if (r < 0)
        ++foundMarked;
      else if (r == n)
        ++foundRight, ++right;
      else
        ++wrong;
    }
    (want.required ? foundWrong : optionalWrong) += wrong;
    if (wrong)
      faults << QStringLiteral("%1 wrong unmarked on ticket %2: read %3, is %4")
                    .arg(wrong)
                    .arg(t + 1)
                    .arg(ReadNumbers(*got))
                    .arg(Numbers(want.numbers));
  }
  return faults;
}

QString PhotoScore::report() const {
  auto share = [](long part, long whole) { return whole ? 100.0 * double(part) / double(whole) : 0.0; };
  std::vector<double> s = seconds;
  std::sort(s.begin(), s.end());
  const double median = s.empty() ? 0 : s[s.size() / 2], slowest = s.empty() ? 0 : s.back();
  QStringList lines;
  lines << QStringLiteral("pictures: %1 (%2 without a ticket)").arg(pictures).arg(blankPictures);
  lines << QStringLiteral("tickets found: %1 of %2 required (%3 %)")
               .arg(found)
               .arg(required)
               .arg(share(found, required), 0, 'f', 1);
  lines << QStringLiteral("numbers read right, over all numbers of the set: %1 % (%2 of %3)")
               .arg(share(right, numbers), 0, 'f', 2)
               .arg(right)
               .arg(numbers);
  lines << QStringLiteral("numbers of the found tickets: right %1 % / marked %2 % / wrong unmarked %3")
               .arg(share(foundRight, foundNumbers), 0, 'f', 2)
               .arg(share(foundMarked, foundNumbers), 0, 'f', 2)
               .arg(foundWrong);
  lines << QStringLiteral("found tickets in doubt as a whole: %1 (%2 % of the found tickets' numbers)")
               .arg(foundInDoubt)
               .arg(share(inDoubtNumbers, foundNumbers), 0, 'f', 2);
  lines << QStringLiteral("tickets reported that do not exist: %1 (shifted %2, invented %3)")
               .arg(shifted + invented)
               .arg(shifted)
               .arg(invented);
  lines << QStringLiteral("tickets found on the %1 pictures without one: %2")
               .arg(blankPictures)
               .arg(blankTickets);
  lines << QStringLiteral(
               "tickets not required (cut by the edge or covered): %1, read %2, wrong unmarked numbers on "
               "them: %3")
               .arg(optional)
               .arg(optionalRead)
               .arg(optionalWrong);
  QStringList layouts;
  for (const auto& [layout, counts] : byLayout)
    layouts << QStringLiteral("%1 %2 of %3").arg(layout).arg(counts.first).arg(counts.second);
  lines << QStringLiteral("tickets found by layout: %1").arg(layouts.join(", "));
  lines << QStringLiteral("seconds per picture, one core: median %1 / slowest %2")
               .arg(median, 0, 'f', 2)
               .arg(slowest, 0, 'f', 2);
  return lines.join('\n');
}

PhotoScore ScorePhotos(PhotoPart part, const std::vector<int>& indices, bool circles) {
  PhotoScore score;
  for (int index : indices) {
    const PhotoPicture pic = GeneratePhoto(part, index, circles);
    score.add(pic, ScanImage(QImage::fromData(pic.jpeg)), 0);
  }
  return score;
}
