// SPDX-License-Identifier: GPL-3.0-or-later
// The chimes in the program's resources: short 16-bit mono WAV files at 44.1 kHz that are not silent.
#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>
#include <cstdlib>

// The sounds are linked in from the announce library without loading them into a player, whose
// sample cache Qt Multimedia never frees.
static void initSounds() {
  Q_INIT_RESOURCE(sounds);
}

namespace {

class ChimeFile : public ::testing::TestWithParam<const char*> {};

TEST_P(ChimeFile, IsAShortMonoWav) {
  initSounds();
  QFile f(QString::fromLatin1(GetParam()));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray d = f.readAll();
  ASSERT_GE(d.size(), 44);
  EXPECT_EQ(d.left(4), "RIFF");
  EXPECT_EQ(d.mid(8, 8), "WAVEfmt ");
  const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(d.constData() + at); };
  const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(d.constData() + at); };
  EXPECT_EQ(u16(20), 1);  // PCM
  EXPECT_EQ(u16(22), 1);  // mono
  EXPECT_EQ(u32(24), 44100u);
  EXPECT_EQ(u16(34), 16);
  ASSERT_EQ(d.mid(36, 4), "data");
  const quint32 bytes = u32(40);
  EXPECT_LT(bytes, 44100u * 2);  // under one second
  int loudest = 0;
  for (quint32 i = 0; i + 1 < bytes && 44 + int(i) + 1 < d.size(); i += 2)
    loudest = std::max(loudest, std::abs(int(qFromLittleEndian<qint16>(d.constData() + 44 + i))));
  EXPECT_GT(loudest, 8000);
}

INSTANTIATE_TEST_SUITE_P(Resources, ChimeFile,
                         ::testing::Values(":/sounds/gewinn.wav", ":/sounds/eine-fehlt.wav"));

}  // namespace
