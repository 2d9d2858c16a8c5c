#include "cli/ConvertCommand.h"
#include "cli/DiffCommand.h"
#include "cli/ExitCode.h"
#include "cli/HistoryCommand.h"
#include "cli/OperandsCommand.h"
#include "cli/OutputBuffer.h"
#include "cli/ProjectCommand.h"
#include "cli/ShowCommand.h"
#include "cli/TakeBackCommand.h"
#include "data/settings/AppPaths.h"
#include "data/settings/AppSettings.h"
#include "data/settings/Language.h"
#include "data/text/ErrorMessage.h"
#include "data/text/MessageSink.h"
#include "data/platform/Platform.h"
#include "data/settings/SettingsLocation.h"
#include "data/settings/StartUp.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Where the program finds its files, for --help.
std::string FilesFooter(const CAppPaths& paths)
{
    std::string text = "\nFiles:\n";
    for (const auto& file : start_up::ListFiles(paths, {{&CAppPaths::SettingsFile, "settings:      "},
                                                        {&CAppPaths::CatalogFile, "text catalog:  "},
                                                        {&CAppPaths::LocaleFolder, "translations:  "},
                                                        {&CAppPaths::HelpFolder, "help (GUI):    "},
                                                        {&CAppPaths::HistoryFolder, "history:       "}}))
        text += "  " + file.label + platform::PathToUtf8(file.path) + (file.present ? "" : " (not present)") + "\n";
    return text + "\nMoraWin " MORAWIN_VERSION ", " MORAWIN_COPYRIGHT
                  "\nFree software under the " MORAWIN_LICENSE " License, without any warranty.";
}

// What the program says about itself and how it reads its arguments.
void DescribeProgram(CLI::App& app, const CAppPaths& paths)
{
    app.require_subcommand(1);
    // "/x" is a path, not an option, on every system (CLI11 reads it as an
    // option on Windows unless told otherwise).
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", "morawin-cli " MORAWIN_VERSION "\n" MORAWIN_COPYRIGHT
                                      "\nLicense: " MORAWIN_LICENSE " (free software, without any warranty)");
    app.footer(FilesFooter(paths));
    // Before or after the command, like --help.
    app.fallthrough();
}

// Whether the chosen command writes JSON.
bool WritesJson(const CLI::App& app)
{
    for (const CLI::App* command : app.get_subcommands()) {
        const CLI::Option* json = command->get_option_no_throw("--json");
        if (json && json->count() > 0)
            return true;
    }
    return false;
}

// The language of the messages: --language, else the settings'. JSON is
// read by programs: its messages stay in the program's own German, so that
// a script sees the same bytes in every language, as it sees the same
// exit codes.
void SpeakChosenLanguage(const CAppPaths& paths, const std::string& option, bool json)
{
    std::string choice = json ? std::string(language::kGerman) : option;
    if (choice.empty()) {
        CAppSettings settings;
        settings.Load(paths.SettingsFile);
        choice = settings.Language;
    }
    const start_up::LanguageInUse language = start_up::UseLanguage(paths, choice);
    if (!language.warning.empty())
        std::cerr << "morawin-cli: " << language.warning << '\n';
}

// Every command of the program, in the order --help lists them.
struct Commands {
    Commands(CLI::App& app, const CAppPaths& paths)
        : operands(app),
          project(app),
          show(app),
          convert(app, paths.SettingsFile, paths.HistoryFolder),
          diff(app, paths.SettingsFile, paths.HistoryFolder),
          history(app, paths.SettingsFile, paths.HistoryFolder),
          undo(app, CTakeBackCommand::Direction::undo, paths.SettingsFile, paths.HistoryFolder),
          redo(app, CTakeBackCommand::Direction::redo, paths.SettingsFile, paths.HistoryFolder)
    {
    }

    COperandsCommand operands;
    CProjectCommand project;
    CShowCommand show;
    CConvertCommand convert;
    CDiffCommand diff;
    CHistoryCommand history;
    CTakeBackCommand undo;
    CTakeBackCommand redo;
};

int RunChosen(const Commands& commands)
{
    const auto& [operands, project, show, convert, diff, history, undo, redo] = commands;
    if (operands.Chosen())
        return operands.Run();
    if (project.Chosen())
        return project.Run();
    if (show.Chosen())
        return show.Run();
    if (convert.Chosen())
        return convert.Run();
    if (diff.Chosen())
        return diff.Run();
    if (history.Chosen())
        return history.Run();
    if (undo.Chosen())
        return undo.Run();
    if (redo.Chosen())
        return redo.Run();
    return exit_code::kUsage;
}

int Run(int argc, char** argv)
{
    platform::UseUtf8Console();
    // Arguments are UTF-8 from here on, on every system.
    const std::vector<std::string> arguments = platform::Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());

    const CAppPaths paths = start_up::Begin(settings_location::ProgramFile());

    CLI::App app{"MoraWin command-line tool: sequence files and RZ731 panel projects"};
    DescribeProgram(app, paths);

    const Commands commands(app, paths);
    std::string language;
    app.add_option("--language", language, "Language of the messages for this run (default: the settings' Language)")
        ->check(CLI::IsMember({"de", "en"}));

    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? exit_code::kOk : exit_code::kUsage;
    }

    SpeakChosenLanguage(paths, language, WritesJson(app));
    CStderrMessageSink sink;
    CErrorMessage::SetSink(&sink);
    try {
        return RunChosen(commands);
    } catch (const COutputBuffer::WriteFailed& e) {
        if (e.IsClosedPipe())
            return exit_code::kOk;
        std::cerr << "morawin-cli: " << e.what() << '\n';
        return exit_code::kOutputFailed;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // Whatever goes wrong ends with one line and a documented exit code,
    // never with an abort.
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "morawin-cli: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "morawin-cli: unexpected error\n";
    }
    return exit_code::kFailed;
}
