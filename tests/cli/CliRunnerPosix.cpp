#include "tests/cli/CliRunner.h"

#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

std::string Quote(const std::string& arg)
{
    std::string quoted = "'";
    for (char c : arg)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Slurp(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& stdinText)
{
    TempDir dir;
    WriteText(dir / "in", stdinText);
    std::string command = Quote(MORAWIN_CLI);
    for (const auto& arg : args)
        command += " " + Quote(arg);
    command += " <" + Quote((dir / "in").string()) + " >" + Quote((dir / "out").string()) + " 2>"
        + Quote((dir / "err").string());
    const int status = std::system(command.c_str());
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = Slurp(dir / "out");
    result.err = Slurp(dir / "err");
    return result;
}
