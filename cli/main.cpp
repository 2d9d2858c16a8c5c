#include "cli/ConvertCommand.h"
#include "cli/ExitCode.h"
#include "cli/OperandsCommand.h"
#include "cli/ProjectCommand.h"
#include "cli/ShowCommand.h"
#include "data/ErrorMessage.h"
#include "data/MessageSink.h"

#include <CLI/CLI.hpp>

#include <clocale>
#include <iostream>

int main(int argc, char** argv)
{
    // Date texts follow the user's time locale, as in the desktop program.
    std::setlocale(LC_TIME, "");

    CLI::App app{"MoraWin command-line tool: sequence files and RZ731 panel projects"};
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("morawin-cli ") + MORAWIN_VERSION);

    COperandsCommand operands(app);
    CProjectCommand project(app);
    CShowCommand show(app);
    CConvertCommand convert(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? exit_code::kOk : exit_code::kUsage;
    }

    CStderrMessageSink sink;
    CErrorMessage::SetSink(&sink);
    if (operands.Chosen())
        return operands.Run();
    if (project.Chosen())
        return project.Run();
    if (show.Chosen())
        return show.Run();
    if (convert.Chosen())
        return convert.Run();
    return exit_code::kUsage;
}
