// SPDX-License-Identifier: GPL-3.0-or-later
// `ziehfix [FILE...]`, --help and --version.
#include <gtest/gtest.h>

#include "app/commandline.h"

namespace {
struct Case {
  const char* name;
  QStringList args;
  QStringList files;
  bool exitNow;
  int exitCode;
  const char* outputStart;
};
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}
}  // namespace

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, GivesFilesOrExits) {
  const Case& c = GetParam();
  const CommandLine line = ParseCommandLine(QStringList{"ziehfix"} + c.args, "/home/user/lose");
  EXPECT_EQ(line.files.join('|').toStdString(), c.files.join('|').toStdString());
  EXPECT_EQ(line.exitNow, c.exitNow);
  EXPECT_EQ(line.exitCode, c.exitCode);
  EXPECT_EQ(line.output.left(QString::fromUtf8(c.outputStart).size()).toStdString(), c.outputStart);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(
        Case{"no_argument_opens_nothing", {}, {}, false, 0, ""},
        Case{"files_become_absolute_in_their_order",
             {"b.lose", "../gz/ziehung.zfgz", "/tmp/a.lose"},
             {"/home/user/lose/b.lose", "/home/user/gz/ziehung.zfgz", "/tmp/a.lose"},
             false,
             0,
             ""},
        Case{"help_prints_the_usage", {"a.lose", "--help"}, {}, true, 0, "Aufruf: ziehfix [DATEI...]\n"},
        Case{"short_help", {"-h"}, {}, true, 0, "Aufruf:"},
        Case{"version_prints_name_and_version", {"--version"}, {}, true, 0, "ZIEHFIX 1.0.0.0\n"},
        Case{"an_unknown_option_is_an_error",
             {"--frobnicate"},
             {},
             true,
             2,
             "Unbekannte Option \"--frobnicate\""},
        Case{"after_double_dash_everything_is_a_file",
             {"--", "-v.lose"},
             {"/home/user/lose/-v.lose"},
             false,
             0,
             ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });
