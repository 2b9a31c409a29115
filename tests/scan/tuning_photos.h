// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tests on photos of the tuning part (or the unlearnt one): skipped where the faces they are printed in
// are missing, and each asks, besides its own figures, that no number be read wrong and no ticket
// shifted or invented.

#include <gtest/gtest.h>

#include <vector>

#include "photo_pictures/photo_pictures.h"
#include "photo_pictures/photo_score.h"

template <PhotoPart Part>
class PartPhotos : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!MissingPhotoFaces(Part).isEmpty()) GTEST_SKIP() << "faces missing: run scripts/deps.sh";
  }

  // The photos at indices (circles: with circles for ruled grids), read and scored.
  static PhotoScore scored(const std::vector<int>& indices, bool circles = false) {
    PhotoScore score = ScorePhotos(Part, indices, circles);
    EXPECT_EQ(score.foundWrong, 0);
    EXPECT_EQ(score.shifted + score.invented, 0);
    return score;
  }
};

using TuningPhotos = PartPhotos<PhotoPart::Tuning>;
// The part in faces the reader never learnt.
using UnlearntPhotos = PartPhotos<PhotoPart::Unlearnt>;
