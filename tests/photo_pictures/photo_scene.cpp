// SPDX-License-Identifier: GPL-3.0-or-later
// The table, the sheets laid on it, and what a phone's camera does to the scene. The warp is mapped
// pixel by pixel (not on a coarse grid) so that the truth's outlines stay exact to a pixel.
#include <QBuffer>
#include <QImageWriter>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

#include "photo_internal.h"

namespace photo {
namespace {

cv::Mat StretchedNoise(cv::RNG& r, cv::Size coarse, cv::Size full) {
  cv::Mat small(std::max(coarse.height, 2), std::max(coarse.width, 2), CV_32F);
  r.fill(small, cv::RNG::UNIFORM, 0.0, 1.0);
  cv::Mat out;
  cv::resize(small, out, full, 0, 0, cv::INTER_CUBIC);
  return out;
}

cv::Vec4b Shade(cv::Vec3d bgr, double f) {
  return {cv::saturate_cast<uchar>(bgr[0] * f), cv::saturate_cast<uchar>(bgr[1] * f),
          cv::saturate_cast<uchar>(bgr[2] * f), 255};
}

}  // namespace

cv::Mat PaintTable(Rng& rng, cv::Size size, Table kind) {
  cv::Mat out(size, CV_8UC4);
  cv::RNG r(rng());
  switch (kind) {
    case Table::Wood: {
      // Grain runs along one direction: noise with few samples across it, many along it.
      const bool across = Chance(rng, 0.5);
      const cv::Size along = across ? cv::Size(size.height, size.width) : size;
      cv::Mat grain = 0.65 * StretchedNoise(r, {4, along.height / 5}, along) +
                      0.35 * StretchedNoise(r, {30, along.height / 2}, along);
      if (across) grain = grain.t();
      static const cv::Vec3d kWoods[] = {{70, 115, 160}, {40, 70, 110}, {95, 145, 190}, {30, 45, 75}};
      const cv::Vec3d base = kWoods[Pick(rng, 4)];
      for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
          out.at<cv::Vec4b>(y, x) = Shade(base, 0.7 + 0.6 * grain.at<float>(y, x));
      break;
    }
    case Table::Granite: {
      cv::Mat cloud = StretchedNoise(r, {size.width / 60, size.height / 60}, size);
      cv::Mat speck(size, CV_32F);
      r.fill(speck, cv::RNG::UNIFORM, 0.0, 1.0);
      cv::GaussianBlur(speck, speck, {0, 0}, 0.8);
      static const cv::Vec3d kStones[] = {{120, 120, 125}, {60, 60, 62}, {150, 160, 170}, {95, 100, 120}};
      const cv::Vec3d base = kStones[Pick(rng, 4)];
      for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
          const float s = speck.at<float>(y, x);
          const double f = 0.8 + 0.25 * cloud.at<float>(y, x) + (s > 0.56 ? -0.5 : s < 0.44 ? 0.4 : 0);
          out.at<cv::Vec4b>(y, x) = Shade(base, f);
        }
      break;
    }
    case Table::Plain: {
      cv::Mat cloud = StretchedNoise(r, {4, 4}, size);
      static const cv::Vec3d kDesks[] = {{200, 200, 200}, {150, 150, 145}, {90, 90, 95}, {180, 190, 200}};
      const cv::Vec3d base = kDesks[Pick(rng, 4)];
      for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
          out.at<cv::Vec4b>(y, x) = Shade(base, 0.85 + 0.2 * cloud.at<float>(y, x));
      break;
    }
    case Table::Gingham: {
      const double check = Uniform(rng, 15, 70);
      static const cv::Vec3d kCloths[] = {{40, 40, 200}, {170, 90, 30}, {60, 140, 50}, {40, 40, 40}};
      const cv::Vec3d full = kCloths[Pick(rng, 4)], white(235, 235, 235);
      for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
          const int k = (int(x / check) & 1) + (int(y / check) & 1);
          const cv::Vec3d c = k == 0 ? white : k == 1 ? (white + full) * 0.5 : full;
          out.at<cv::Vec4b>(y, x) = Shade(c, 1.0);
        }
      break;
    }
  }
  return out;
}

QPointF SheetPose::curled(QPointF p) const {
  const double u = 2 * p.x() / size.width() - 1, v = 2 * p.y() / size.height() - 1;
  return {p.x() - barrel * size.width() * 0.5 * v * v * u,
          p.y() - lift * size.height() * 0.5 * u * u * u * u};
}

QPointF SheetPose::place(QPointF p) const {
  const QPointF c = curled(p);
  const cv::Vec3d h = toPicture * cv::Vec3d(c.x(), c.y(), 1);
  return {h[0] / h[2], h[1] / h[2]};
}

QPolygonF SheetPose::outline(int pointsPerSide) const {
  const QPointF corners[] = {{0, 0}, {size.width(), 0}, {size.width(), size.height()}, {0, size.height()}};
  QPolygonF poly;
  for (int side = 0; side < 4; ++side)
    for (int k = 0; k < pointsPerSide; ++k) {
      const double t = double(k) / pointsPerSide;
      poly << place(corners[side] * (1 - t) + corners[(side + 1) % 4] * t);
    }
  return poly;
}

void LaySheet(cv::Mat& picture, const QImage& sheet, const SheetPose& pose) {
  const double diagonal = std::hypot(sheet.width(), sheet.height());
  const double blur = std::max(2.0, diagonal * 0.004);
  const int pad = int(blur * 4);
  const QRect whole(0, 0, picture.cols, picture.rows);
  const QRect box = pose.outline().boundingRect().toAlignedRect().adjusted(-pad, -pad, pad, pad) & whole;
  if (box.isEmpty()) return;
  const cv::Matx33d inverse = pose.toPicture.inv();
  cv::Mat mapX(box.height(), box.width(), CV_32F), mapY(box.height(), box.width(), CV_32F);
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.width(); ++x) {
      // Pixel centres: pixel (x, y) covers x..x+1 in the picture's coordinates and in the sheet's.
      const cv::Vec3d h = inverse * cv::Vec3d(box.x() + x + 0.5, box.y() + y + 0.5, 1);
      const QPointF target(h[0] / h[2], h[1] / h[2]);
      // The bend is small and smooth: a few fixed-point steps undo it.
      QPointF p = target;
      for (int k = 0; k < 4; ++k) p = target - (pose.curled(p) - p);
      mapX.at<float>(y, x) = float(p.x() - 0.5);
      mapY.at<float>(y, x) = float(p.y() - 0.5);
    }
  const cv::Mat flat(sheet.height(), sheet.width(), CV_8UC4, const_cast<uchar*>(sheet.constBits()),
                     std::size_t(sheet.bytesPerLine()));
  cv::Mat laid;
  cv::remap(flat, laid, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(0, 0, 0, 0));
  // The sheet's shadow: its coverage blurred and moved a little down and right.
  cv::Mat alpha;
  cv::extractChannel(laid, alpha, 3);
  alpha.convertTo(alpha, CV_32F, 1.0 / 255);
  cv::Mat shadow;
  cv::GaussianBlur(alpha, shadow, {0, 0}, blur);
  const cv::Matx23d shift(1, 0, blur * 0.7, 0, 1, blur);
  cv::warpAffine(shadow, shadow, shift, shadow.size());
  cv::Mat area = picture(cv::Rect(box.x(), box.y(), box.width(), box.height()));
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.width(); ++x) {
      cv::Vec4b& dst = area.at<cv::Vec4b>(y, x);
      const cv::Vec4b src = laid.at<cv::Vec4b>(y, x);
      const double keep = (1 - src[3] / 255.0) * (1 - 0.45 * shadow.at<float>(y, x));
      for (int ch = 0; ch < 3; ++ch) dst[ch] = cv::saturate_cast<uchar>(src[ch] + dst[ch] * keep);
    }
}

QString Photograph(cv::Mat& picture, Rng& rng) {
  QStringList done;
  const cv::Size full = picture.size(), small(std::max(8, full.width / 8), std::max(8, full.height / 8));
  cv::Mat gain(small, CV_32F);
  // Light from one side, darker towards the corners.
  const double slope = Uniform(rng, 0, 0.45), angle = Uniform(rng, 0, 2 * M_PI),
               vignette = Uniform(rng, 0, 0.25);
  for (int y = 0; y < small.height; ++y)
    for (int x = 0; x < small.width; ++x) {
      const double u = 2.0 * x / small.width - 1, v = 2.0 * y / small.height - 1;
      const double along = 0.5 + 0.5 * (u * std::cos(angle) + v * std::sin(angle)) / M_SQRT2;
      gain.at<float>(y, x) = float(1 - slope * along - vignette * (u * u + v * v) / 2);
    }
  if (slope > 0.25) done << QStringLiteral("uneven light");
  if (Chance(rng, 0.45)) {
    // A hand (palm and fingers) or a phone reaching in from one edge.
    cv::Mat mask = cv::Mat::zeros(small, CV_32F);
    const double w = small.width, h = small.height, unit = std::min(w, h);
    const int edge = Pick(rng, 4);
    const cv::Point2d from = edge == 0   ? cv::Point2d(Uniform(rng, 0, w), 0)
                             : edge == 1 ? cv::Point2d(w, Uniform(rng, 0, h))
                             : edge == 2 ? cv::Point2d(Uniform(rng, 0, w), h)
                                         : cv::Point2d(0, Uniform(rng, 0, h));
    const cv::Point2d inward = cv::Point2d(w / 2, h / 2) - from;
    const double reach = Uniform(rng, 0.3, 0.7),
                 dirAngle = std::atan2(inward.y, inward.x) + Uniform(rng, -0.5, 0.5);
    const cv::Point2d dir(std::cos(dirAngle), std::sin(dirAngle));
    const double degrees = dirAngle * 180 / M_PI;
    if (Chance(rng, 0.6)) {
      const cv::Point2d palm = from + dir * unit * reach * 0.5;
      cv::ellipse(mask,
                  cv::RotatedRect(palm, cv::Size2f(float(unit * reach), float(unit * 0.35)), float(degrees)),
                  1.0, cv::FILLED);
      for (int f = -2; f <= 1; ++f) {
        const cv::Point2d side(-dir.y, dir.x);
        const cv::Point2d tip = palm + dir * unit * reach * 0.55 + side * unit * 0.07 * (f + 0.5);
        cv::ellipse(mask,
                    cv::RotatedRect(tip, cv::Size2f(float(unit * 0.3), float(unit * 0.06)), float(degrees)),
                    1.0, cv::FILLED);
      }
      done << QStringLiteral("hand shadow");
    } else {
      const cv::Point2d mid = from + dir * unit * reach * 0.4;
      cv::ellipse(mask,
                  cv::RotatedRect(mid, cv::Size2f(float(unit * reach), float(unit * 0.3)), float(degrees)),
                  1.0, cv::FILLED);
      done << QStringLiteral("phone shadow");
    }
    cv::GaussianBlur(mask, mask, {0, 0}, unit * Uniform(rng, 0.01, 0.04));
    gain = gain.mul(1 - Uniform(rng, 0.3, 0.6) * mask);
  }
  cv::resize(gain, gain, full, 0, 0, cv::INTER_LINEAR);
  const double sigma = Uniform(rng, 0.3, 1.3);
  if (sigma > 0.8) done << QStringLiteral("blur %1").arg(sigma, 0, 'f', 1);
  cv::GaussianBlur(picture, picture, {0, 0}, sigma);
  const double grain = Uniform(rng, 1.5, 8);
  cv::Mat noise(full, CV_16S);
  cv::RNG r(rng());
  r.fill(noise, cv::RNG::NORMAL, 0.0, grain);
  // Lamp light is warmer than daylight.
  const cv::Vec3d cast = Chance(rng, 0.5) ? cv::Vec3d(0.88, 0.96, 1.0) : cv::Vec3d(1.0, 0.98, 0.95);
  for (int y = 0; y < full.height; ++y)
    for (int x = 0; x < full.width; ++x) {
      cv::Vec4b& px = picture.at<cv::Vec4b>(y, x);
      const double g = gain.at<float>(y, x), n = noise.at<short>(y, x);
      for (int ch = 0; ch < 3; ++ch) px[ch] = cv::saturate_cast<uchar>(px[ch] * g * cast[ch] + n);
      px[3] = 255;
    }
  return done.join(", ");
}

QByteArray EncodeJpeg(const cv::Mat& picture, int quality) {
  const QImage image(picture.data, picture.cols, picture.rows, int(picture.step), QImage::Format_RGB32);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  writer.write(image);
  return bytes;
}

}  // namespace photo
