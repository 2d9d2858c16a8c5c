// convert --dry-run works on a copy in the temporary folder; when there is
// no usable one, the command ends with one line and exit 7, never an abort.
#include "tests/cli/CliRunner.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

namespace {

// Runs morawin-cli with TMPDIR set for it alone (the test's own temporary
// files stay where they are).
CliResult RunWithTmpDir(const std::string& tmpdir, const std::vector<std::string>& args, const TempDir& out)
{
    std::string command = "TMPDIR=" + ShellQuote(tmpdir) + " " + ShellQuote(MORAWIN_CLI);
    for (const auto& arg : args)
        command += " " + ShellQuote(arg);
    command += " >" + ShellQuote((out / "out").string()) + " 2>" + ShellQuote((out / "err").string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadText(out / "err");
    return result;
}

TEST(DryRunScratch, NoUsableTemporaryFolderIsOneLineAndExit7)
{
    TempDir dir;
    const auto project = dir / "projekt";
    std::filesystem::create_directories(project);
    WriteDataFile(project, "P1");
    WriteText(dir / "morawin.ini", "[Configuration]\r\n");
    WriteText(dir / "anlage.seq", "\tE 1.0\ta\n");
    WriteText(dir / "eine-datei", "");
    const std::vector<std::string> args{"convert",  (dir / "anlage.seq").string(), project.string(), "--settings",
                                        (dir / "morawin.ini").string(), "--dry-run"};

    struct Case {
        const char* name;
        std::string tmpdir;
    };
    // Nobody, root included, may create a folder in /proc.
    const Case cases[] = {
        {"missing", (dir / "fehlt").string()},
        {"a file", (dir / "eine-datei").string()},
        {"not writable", "/proc"},
    };
    for (const Case& c : cases) {
        const CliResult result = RunWithTmpDir(c.tmpdir, args, dir);
        EXPECT_EQ(result.exitCode, 7) << c.name << ": " << result.err;
        EXPECT_EQ(result.err.rfind("morawin-cli: cannot create a scratch folder for --dry-run in " + c.tmpdir + ": ", 0),
                  0u)
            << c.name << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << c.name << ": " << result.err;
        EXPECT_EQ(ListFolder(project), (std::vector<std::string>{"SDAT.731"})) << c.name;
    }
    // With a usable one the same command works.
    EXPECT_EQ(RunWithTmpDir(dir.Path().string(), args, dir).exitCode, 0);
}

} // namespace
