// The desktop program without a display, and with a command line it cannot
// use: one line, exit 1, before any window system starts.
#include "app/startup/DisplayCheck.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sys/wait.h>

namespace {

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the desktop program with `environment` (NAME=value words for env;
// "-u NAME" takes a variable away) and `args`.
ProgramResult RunProgram(const std::string& environment, const std::string& args)
{
    TempDir dir;
    const std::string command = "env " + environment + " " + MORAWIN_GUI_PROGRAM + " " + args + " >"
        + (dir / "out").string() + " 2>" + (dir / "err").string() + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir / "out"), ReadText(dir / "err")};
}

// A display number nothing listens on.
std::string DeadDisplay()
{
    for (int number = 87;; ++number)
        if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            return ":" + std::to_string(number);
}

TEST(DisplayCheck, NoDisplayOrOneThatDoesNotAnswerIsOneLineAndExit1)
{
    const std::string dead = DeadDisplay();
    struct Case {
        const char* name;
        std::string environment;
        std::string line;
    };
    const Case cases[] = {
        {"none", "-u DISPLAY -u WAYLAND_DISPLAY",
         "morawin: keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.\n"},
        {"empty", "DISPLAY= WAYLAND_DISPLAY=", "morawin: keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt.\n"},
        {"X11 silent", "-u WAYLAND_DISPLAY DISPLAY=" + dead, "morawin: keine Anzeige: DISPLAY=" + dead + " antwortet nicht.\n"},
        {"Wayland silent", "-u DISPLAY WAYLAND_DISPLAY=/nonexistent/wayland-9",
         "morawin: keine Anzeige: WAYLAND_DISPLAY=/nonexistent/wayland-9 antwortet nicht.\n"},
    };
    for (const Case& c : cases) {
        const auto result = RunProgram(c.environment, "");
        EXPECT_EQ(result.exitCode, 1) << c.name << ": " << result.err;
        EXPECT_EQ(result.err, c.line) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
    }
}

TEST(DisplayCheck, CommandLineIsAnsweredBeforeTheDisplayIsAsked)
{
    const auto unknown = RunProgram("-u DISPLAY -u WAYLAND_DISPLAY", "--bogus");
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err.rfind("morawin: Unbekannte Option: --bogus\nAufruf: morawin", 0), 0u) << unknown.err;

    const auto missingValue = RunProgram("-u DISPLAY -u WAYLAND_DISPLAY", "--settings");
    EXPECT_EQ(missingValue.exitCode, 1);
    EXPECT_EQ(missingValue.err.find("keine Anzeige"), std::string::npos) << missingValue.err;

    const auto help = RunProgram("-u DISPLAY -u WAYLAND_DISPLAY", "--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: morawin", 0), 0u);
    EXPECT_EQ(help.err, "");
}

// The check itself, in this process.
TEST(DisplayCheck, AnsweringDisplayIsNotMissing)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        GTEST_SKIP() << "needs a display";
    EXPECT_EQ(MissingDisplay(), "");
}

} // namespace
