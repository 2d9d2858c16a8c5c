#include "tests/cli/CliRunner.h"

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sys/wait.h>

std::string ShellQuote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CliResult RunCliWithInput(const std::vector<std::string>& args, const std::filesystem::path& input)
{
    TempDir dir;
    std::string command = ShellQuote(MORAWIN_CLI);
    for (const auto& arg : args)
        command += " " + ShellQuote(arg);
    command += " <" + ShellQuote(input.string()) + " >" + ShellQuote((dir / "out").string()) + " 2>"
        + ShellQuote((dir / "err").string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadText(dir / "out");
    result.err = ReadText(dir / "err");
    return result;
}

CliResult RunCliFromNullDevice(const std::vector<std::string>& args)
{
    return RunCliWithInput(args, "/dev/null");
}
