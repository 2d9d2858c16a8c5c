#include "tests/cli/CliRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LicenseFile()
{
    std::ifstream in(MORAWIN_LICENSE_FILE);
    std::ostringstream text;
    text << in.rdbuf();
    return Lines(text.str());
}

// The licence the programs name is the one in LICENSE, with the same
// copyright line, so that the two cannot drift apart.
TEST(ProgramInfo, VersionNamesTheLicenceAndCopyrightOfTheLicenseFile)
{
    const auto license = LicenseFile();
    ASSERT_GE(license.size(), 3u);
    EXPECT_EQ(license[0], MORAWIN_LICENSE " License");
    EXPECT_EQ(license[2], MORAWIN_COPYRIGHT);

    const auto result = RunCli({"--version"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 3u) << result.out;
    EXPECT_EQ(lines[0], "morawin-cli " MORAWIN_VERSION);
    EXPECT_EQ(lines[1], license[2]);
    EXPECT_EQ(lines[2], "License: MIT (free software, without any warranty)");
}

TEST(ProgramInfo, HelpEndsWithVersionCopyrightAndLicence)
{
    const auto result = RunCli({"--help"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "MoraWin " MORAWIN_VERSION ", " MORAWIN_COPYRIGHT);
    EXPECT_EQ(lines.back(), "Free software under the MIT License, without any warranty.");
    // A command's own help carries it too: the footer belongs to the program.
    EXPECT_NE(RunCli({"convert", "--help"}).out.find(MORAWIN_COPYRIGHT), std::string::npos);
}

} // namespace
