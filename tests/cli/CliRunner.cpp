#include "tests/cli/CliRunner.h"

#include "tests/support/TempDir.h"

std::string ExamplePath(const std::string& name)
{
    return std::string(MORAWIN_EXAMPLES) + "/" + name;
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& stdinText)
{
    TempDir dir;
    WriteText(dir / "in", stdinText);
    return RunCliWithInput(args, dir / "in");
}
