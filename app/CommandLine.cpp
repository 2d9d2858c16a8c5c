#include "app/CommandLine.h"

namespace {

constexpr std::string_view kOpen = "--open";

} // namespace

CCommandLine CCommandLine::Parse(const std::vector<std::string>& args)
{
    CCommandLine line;
    bool optionsEnded = false;
    bool projectSeen = false;
    for (std::size_t i = 0; i < args.size() && line.Error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            // Only the first plain argument counts, as the project folder.
            if (!projectSeen)
                line.ProjectArgument = arg;
            projectSeen = true;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == kOpen) {
            if (i + 1 == args.size())
                line.Error = "Nach --open fehlt der Name der Datei.";
            else
                line.FilesToOpen.emplace_back(args[++i]);
        } else if (arg.starts_with(std::string(kOpen) + "=")) {
            // The desktop file's "--open=%f" is "--open=" when the program
            // is started without a file.
            if (arg.size() > kOpen.size() + 1)
                line.FilesToOpen.emplace_back(arg.substr(kOpen.size() + 1));
        } else if (arg == "--help" || arg == "-h") {
            line.ShowHelp = true;
        } else if (arg == "--version") {
            line.ShowVersion = true;
        } else {
            line.Error = "Unbekannte Option: " + arg;
        }
    }
    return line;
}

std::string CCommandLine::Usage()
{
    return "Aufruf: morawin [PROJEKTORDNER] [--open DATEI.seq]...\n"
           "\n"
           "  PROJEKTORDNER     öffnet das RZ731-Projekt in diesem Ordner (wenn es gültig ist)\n"
           "  --open DATEI.seq  öffnet eine Sequenzdatei (mehrfach möglich)\n"
           "  --help            zeigt diese Hilfe\n"
           "  --version         zeigt die Version\n";
}
