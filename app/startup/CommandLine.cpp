#include "app/startup/CommandLine.h"

#include "data/platform/Platform.h"
#include "data/settings/AppPaths.h"
#include "data/text/StringTable.h"
#include "data/text/TextFormat.h"

namespace {

constexpr std::string_view kOpen = "--open";
constexpr std::string_view kSettings = "--settings";

// A string-table text with its arguments, UTF-8 as the terminal takes it.
std::string Text(unsigned id, std::initializer_list<FormatArg> args)
{
    return FormatText(CStringTable::GetUtf8(id), args);
}

// "--name VALUE" or "--name=VALUE": true when `args[i]` is the option, with
// its value in `value` (empty for "--name=") and `i` past it.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name, std::string& value,
               std::string& error)
{
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 == args.size())
            error = Text(ids::kOptionNeedsFile, {std::string(name)});
        else
            value = args[++i];
        return true;
    }
    if (arg.starts_with(std::string(name) + "=")) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

} // namespace

CCommandLine CCommandLine::Parse(const std::vector<std::string>& args)
{
    CCommandLine line;
    bool optionsEnded = false;
    bool projectSeen = false;
    for (std::size_t i = 0; i < args.size() && line.Error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        std::string value;
        if (!isOption) {
            // Only the first plain argument counts, as the project folder.
            if (!projectSeen)
                line.ProjectArgument = platform::PathFromUtf8(arg);
            projectSeen = true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (TakeValue(args, i, kOpen, value, line.Error)) {
            // The desktop file's "--open=%f" is "--open=" when the program
            // is started without a file.
            if (!value.empty())
                line.FilesToOpen.push_back(platform::PathFromUtf8(value));
        } else if (TakeValue(args, i, kSettings, value, line.Error)) {
            line.SettingsFile = platform::PathFromUtf8(value);
        } else if (arg == "--help" || arg == "-h") {
            line.ShowHelp = true;
        } else if (arg == "--version") {
            line.ShowVersion = true;
        } else {
            line.Error = Text(ids::kUnknownOption, {arg});
        }
    }
    return line;
}

std::string CCommandLine::Usage()
{
    const std::string history = platform::PathToUtf8(platform::UserStateFolder() / CAppPaths::kHistoryFolderName);
    return Text(ids::kUsage, {history, MORAWIN_VERSION, MORAWIN_COPYRIGHT, MORAWIN_LICENSE});
}

std::string CCommandLine::VersionText()
{
    return "morawin " MORAWIN_VERSION "\n" MORAWIN_COPYRIGHT "\n" + Text(ids::kVersionLicense, {MORAWIN_LICENSE}) + "\n";
}
