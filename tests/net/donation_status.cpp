// SPDX-License-Identifier: GPL-3.0-or-later
// The donation status: where its text comes from.
#include <gtest/gtest.h>

#include <QFile>

#include "common/folders.h"
#include "net/donation.h"
#include "net/update_fake_online.h"
#include "support/test_env.h"

namespace {

const QString kDonationPath = "/downloads/wachziehfix.txt";

class DonationStatus : public ::testing::Test {
 protected:
  FakeOnline net;
  void SetUp() override {
    EstablishDataFolders();
    DonationStand = "3,50";
  }
  void TearDown() override { DonationStand = "0"; }
};

struct FirstLineCase {
  const char* name;
  QByteArray file;
  QString status;
};

TEST_F(DonationStatus, theFirstLineOfTheDownloadedFileIsTheStatus) {
  const FirstLineCase cases[] = {
      {"several lines with CR LF", "12,50\r\n13,00\r\n", "12,50"},
      {"lines ended by LF", "7\n8\n", "7"},
      {"lines ended by CR", "7\r8\r", "7"},
      {"no line end at all", "150", "150"},
      {"a first line that is empty", "\r\n99", ""},
      {"only a line end", "\n", ""},
      {"blanks kept as they are", " 5 \r\n", " 5 "},
      {"UTF-8 without a byte-order mark", "1.234 \xE2\x82\xAC", QString::fromUtf8("1.234 €")},
      {"UTF-8 with a byte-order mark",
       "\xEF\xBB\xBF"
       "8 \xE2\x82\xAC\r\n",
       QString::fromUtf8("8 €")},
      {"UTF-16 LE with a byte-order mark",
       QByteArray("\xFF\xFE"
                  "9\0\r\0\n\0x\0",
                  10),
       "9"},
      {"Windows-1252 bytes", "10 \x80", QString::fromUtf8("10 €")},
      {"a first line read by itself, whatever follows", "12,50 \xE2\x82\xAC\r\n\xFF\xFE kaputt",
       QString::fromUtf8("12,50 €")},
      {"a long first line is cut to 64 characters", QByteArray(100, '7') + "\r\n", QString(64, '7')},
      {"the cut never splits a character", QByteArray(63, 'a') + "\xF0\x9F\x98\x80", QString(63, 'a')},
      {"a tab and a line separator become blanks",
       "1\t2\xE2\x80\xA8"
       "3",
       "1 2 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    net.serve(kDonationPath, c.file);
    EXPECT_EQ(FetchDonationStand(), c.status);
  }
  EXPECT_EQ(DonationStand, "3,50") << "fetching never changes the held value";
}

TEST_F(DonationStatus, anEmptyDownloadedFileIsAnErrorForTheCaller) {
  net.serve(kDonationPath, "");
  EXPECT_THROW(FetchDonationStand(), std::runtime_error);
}

TEST_F(DonationStatus, withoutAFileTheHeldValueComesBackAndNothingIsShown) {
  {
    QFile stale(DonationStatusLocalPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("alt\r\n");
  }
  EXPECT_EQ(FetchDonationStand(), "3,50");
  EXPECT_FALSE(QFile::exists(DonationStatusLocalPath())) << "the old local copy is deleted first";
  EXPECT_EQ(net.purges, 1);

  net.failingUrls << DonationStatusUrl();
  EXPECT_EQ(FetchDonationStand(), "3,50");

  net.online = false;
  net.downloads.clear();
  EXPECT_EQ(FetchDonationStand(), "3,50");
  EXPECT_TRUE(net.downloads.isEmpty());
}

TEST_F(DonationStatus, aPlantedLinkAtTheLocalNameRedirectsNothing) {
  const QString elsewhere = testRootDir() + "/elsewhere.txt";
  {
    QFile f(elsewhere);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("fremd\r\n");
  }
  QFile::remove(DonationStatusLocalPath());
  ASSERT_TRUE(QFile::link(elsewhere, DonationStatusLocalPath()));
  net.serve(kDonationPath, "8,00\r\n");
  EXPECT_EQ(FetchDonationStand(), "8,00");
  QFile f(elsewhere);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "fremd\r\n");
}

TEST_F(DonationStatus, theLabelShowsAndSoStoresAtMost64Characters) {
  EXPECT_EQ(DonationStandForLabel(QString(70000, 'x')), QString(64, 'x'));
}

TEST_F(DonationStatus, theFileComesFromTheDownloadServerIntoTheTemporaryFolder) {
  net.serve(kDonationPath, "1");
  FetchDonationStand();
  EXPECT_EQ(net.downloads, QStringList{DownloadServer() + "/downloads/wachziehfix.txt"});
  EXPECT_EQ(DonationStatusLocalPath(), TempDir() + "wachziehfix.txt");
}

TEST_F(DonationStatus, theRefreshGivesTheStatusFitForTheLabelOrTheHeldValue) {
  EXPECT_EQ(DonationStandForLabel("<b>5</b>\r\n[Wach]"), "<b>5</b>  [Wach]")
      << "a line break never reaches the label";

  net.serve(kDonationPath, "");
  EXPECT_EQ(RefreshedDonationStand(), "3,50");

  net.serve(kDonationPath, "42\r\n");
  EXPECT_EQ(RefreshedDonationStand(), "42");
}

}  // namespace
