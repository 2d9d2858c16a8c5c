#include "tests/cli/CliRunner.h"

std::string ExamplePath(const std::string& name)
{
    return std::string(MORAWIN_EXAMPLES) + "/" + name;
}
