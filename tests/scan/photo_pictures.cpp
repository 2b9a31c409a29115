// SPDX-License-Identifier: GPL-3.0-or-later
// The photo generator's truth (what the reader is measured against) and the scoring of a reading.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <opencv2/imgproc.hpp>
#include <set>

#include "photo_pictures/photo_internal.h"
#include "photo_pictures/photo_pictures.h"
#include "photo_pictures/photo_score.h"

namespace {

TEST(PhotoPictures, TruthHoldsValidTicketsWhoseOutlinesLieInThePicture) {
  for (PhotoPart part : {PhotoPart::Tuning, PhotoPart::HeldOut, PhotoPart::Unlearnt}) {
    if (!MissingPhotoFaces(part).isEmpty()) continue;  // scripts/deps.sh installs the faces
    for (int index : {0, 1, 2, 15}) {
      const PhotoPicture pic = GeneratePhoto(part, index);
      const QImage image = QImage::fromData(pic.jpeg);
      ASSERT_EQ(image.size(), QSize(pic.width, pic.height)) << index;
      EXPECT_GE(qint64(pic.width) * pic.height, 900'000) << index;
      EXPECT_LE(qint64(pic.width) * pic.height, 12'000'000) << index;
      EXPECT_EQ(pic.tickets.empty(), index % 16 == 15) << index;
      const QRectF frame(0, 0, pic.width, pic.height);
      for (const PhotoTicket& t : pic.tickets) {
        std::set<int> seen;
        for (int cell = 0; cell < 25; ++cell) {
          const int n = t.numbers[std::size_t(cell)];
          if (n == 0) {
            EXPECT_EQ(cell, 12) << "only the centre may be free";
            continue;
          }
          EXPECT_EQ((n - 1) / 15, cell % 5) << n << " outside its column's numbers";
          EXPECT_TRUE(seen.insert(n).second) << n << " twice";
        }
        ASSERT_EQ(t.outline.size(), 4);
        const QRectF box = t.outline.boundingRect();
        EXPECT_GE(std::min(box.width(), box.height()), 5 * 25.0) << "cells far below 30 pixels";
        if (t.required) {
          for (const QPointF& p : t.outline) EXPECT_TRUE(frame.contains(p)) << index << ": corner outside";
        }
      }
      // Corners in the order the reader's places are compared in: top left first, bottom right third.
      for (const PhotoTicket& t : pic.tickets) {
        EXPECT_LT(t.outline[0].x(), t.outline[2].x());
        EXPECT_LT(t.outline[0].y(), t.outline[2].y());
      }
    }
  }
  EXPECT_EQ(GeneratePhoto(PhotoPart::Tuning, 3).jpeg, GeneratePhoto(PhotoPart::Tuning, 3).jpeg);
  EXPECT_NE(GeneratePhoto(PhotoPart::Tuning, 3).jpeg, GeneratePhoto(PhotoPart::HeldOut, 3).jpeg);
}

// The truth's outlines are computed forwards, the sheet is laid by mapping backwards: a mark drawn at a
// sheet point must land where the pose places that point, bend and perspective included.
TEST(PhotoPictures, SheetsLieWhereTheirPoseSaysTheyDo) {
  QImage sheet(600, 400, QImage::Format_ARGB32_Premultiplied);
  sheet.fill(Qt::white);
  const QPointF marks[] = {{40, 40}, {560, 40}, {300, 200}, {40, 360}, {560, 360}};
  {
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (const QPointF& m : marks) p.drawEllipse(m, 6, 6);
  }
  photo::SheetPose pose;
  pose.size = sheet.size();
  pose.barrel = 0.03;
  pose.lift = -0.03;
  const double a = 17 * M_PI / 180;
  const cv::Matx33d turn(std::cos(a), -std::sin(a), 300, std::sin(a), std::cos(a), 80, 0, 0, 1);
  const cv::Matx33d perspective(1, 0.02, 0, 0.01, 1, 0, 0.00004, 0.00002, 1);
  pose.toPicture = perspective * turn;
  cv::Mat picture(900, 1000, CV_8UC4, cv::Scalar(255, 255, 255, 255));
  photo::LaySheet(picture, sheet, pose);
  cv::Mat grey;
  cv::cvtColor(picture, grey, cv::COLOR_BGRA2GRAY);
  for (const QPointF& m : marks) {
    const QPointF at = pose.place(m);
    // The mark's centre of ink near where it should be.
    double sum = 0, x = 0, y = 0;
    for (int py = int(at.y()) - 15; py <= int(at.y()) + 15; ++py)
      for (int px = int(at.x()) - 15; px <= int(at.x()) + 15; ++px) {
        const double ink = std::max(0, 200 - int(grey.at<uchar>(py, px)));
        sum += ink, x += ink * (px + 0.5), y += ink * (py + 0.5);
      }
    ASSERT_GT(sum, 0) << "no mark near " << at.x() << "," << at.y();
    EXPECT_NEAR(x / sum, at.x(), 0.3);
    EXPECT_NEAR(y / sum, at.y(), 0.3);
  }
}

PhotoPicture OneTicket() {
  PhotoPicture pic;
  PhotoTicket t;
  for (int cell = 0; cell < 25; ++cell) t.numbers[std::size_t(cell)] = (cell % 5) * 15 + cell / 5 + 1;
  t.numbers[12] = 0;
  t.outline = QPolygonF(QRectF(100, 100, 300, 300));
  t.layout = QStringLiteral("boxes");
  pic.tickets.push_back(t);
  return pic;
}

ScannedTicket ReadAs(const PhotoTicket& t, int rowShift, QRect place = QRect(100, 100, 300, 300)) {
  ScannedTicket r;
  r.place = place;
  for (int cell = 0; cell < 25; ++cell) {
    const int from = cell - rowShift * 5;
    if (from < 0 || from >= 25)
      r.doubtful[std::size_t(cell)] = true;
    else if (t.numbers[std::size_t(from)] > 0)
      r.cells[std::size_t(cell)] = QString::number(t.numbers[std::size_t(from)]);
  }
  return r;
}

TEST(PhotoScore, TellsFoundShiftedInventedAndWrongTickets) {
  const PhotoPicture truth = OneTicket();
  PhotoScore score;
  ScanResult right;
  right.tickets.push_back(ReadAs(truth.tickets[0], 0));
  right.tickets[0].cells[0] = QStringLiteral("01");  // a leading zero is the number
  right.tickets[0].doubtful[1] = true;
  right.tickets[0].cells[2] = QStringLiteral("34");  // wrong, unmarked
  EXPECT_EQ(score.add(truth, right, 0.1).size(), 1);
  EXPECT_EQ(score.found, 1);
  EXPECT_EQ(score.foundNumbers, 24);
  EXPECT_EQ(score.foundRight, 22);
  EXPECT_EQ(score.foundMarked, 1);
  EXPECT_EQ(score.foundWrong, 1);

  // A header taken for the first row: every number one row down, the last row lost.
  ScanResult shifted;
  shifted.tickets.push_back(ReadAs(truth.tickets[0], 1));
  score.add(truth, shifted, 0.1);
  EXPECT_EQ(score.shifted, 1);
  EXPECT_EQ(score.found, 1) << "a shifted reading does not find its ticket";

  // Wholly marked where the ticket lies is found with every number marked; elsewhere it is invented.
  ScanResult marked;
  marked.tickets.push_back(ReadAs(truth.tickets[0], 5));
  marked.tickets[0].gridDoubtful = true;
  marked.tickets.push_back(ReadAs(truth.tickets[0], 5, QRect(600, 100, 300, 300)));
  score.add(truth, marked, 0.1);
  EXPECT_EQ(score.found, 2);
  EXPECT_EQ(score.foundMarked, 1 + 24);
  EXPECT_EQ(score.foundInDoubt, 1);
  EXPECT_EQ(score.inDoubtNumbers, 24);
  EXPECT_EQ(score.invented, 1);

  // A ticket cut by the edge need not be found; a ticket on a picture without one is counted apart.
  PhotoPicture cut = truth;
  cut.tickets[0].required = false;
  EXPECT_TRUE(score.add(cut, ScanResult{}, 0.1).isEmpty());
  EXPECT_EQ(score.required, 3);
  score.add(PhotoPicture{}, right, 0.3);
  EXPECT_EQ(score.blankTickets, 1);
  EXPECT_EQ(score.invented, 1);
  EXPECT_TRUE(score.report().contains(QStringLiteral("median 0.10 / slowest 0.30")));
  EXPECT_TRUE(score.report().contains(QStringLiteral("by layout: boxes 2 of 3")));
}

}  // namespace
