#include "app/startup/CommandLine.h"
#include "app/startup/DisplayCheck.h"
#include "app/frames/MorawinApp.h"
#include "data/settings/AppPaths.h"
#include "data/settings/AppSettings.h"
#include "data/settings/SettingsLocation.h"
#include "data/settings/StartUp.h"

#include <wx/log.h>

#include <cstdio>
#include <filesystem>
#include <exception>
#include <string>
#include <vector>

namespace {

// Exit codes of the desktop program.
constexpr int kExitOk = 0;
constexpr int kExitUsageOrNoDisplay = 1;
constexpr int kExitUnexpected = 2;

// What can be answered before GTK starts (which would end the program with
// its own messages without a display): --help, --version, usage errors and
// a missing display. -1 when the window system may start.
int AnswerWithoutWindow(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The answers speak the settings' language: read them from the settings
    // file the arguments name, then read the arguments again in it.
    std::filesystem::path program = settings_location::ProgramFile();
    if (program.empty())
        program = argv[0];
    const CAppPaths paths = start_up::Begin(program, CCommandLine::Parse(arguments).SettingsFile);
    CAppSettings settings;
    settings.Load(paths.SettingsFile);
    start_up::UseLanguage(paths, settings.Language);
    const CCommandLine line = CCommandLine::Parse(arguments);
    if (!line.Error.empty()) {
        std::fprintf(stderr, "morawin: %s\n%s", line.Error.c_str(), CCommandLine::Usage().c_str());
        return kExitUsageOrNoDisplay;
    }
    if (line.ShowHelp) {
        std::fputs(CCommandLine::Usage().c_str(), stdout);
        return kExitOk;
    }
    if (line.ShowVersion) {
        std::fputs(CCommandLine::VersionText().c_str(), stdout);
        return kExitOk;
    }
    const std::string missing = MissingDisplay();
    if (!missing.empty()) {
        std::fprintf(stderr, "morawin: %s\n", missing.c_str());
        return kExitUsageOrNoDisplay;
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    // Whatever escapes the program ends with one line and a documented exit
    // code, never with an abort.
    try {
        const int answered = AnswerWithoutWindow(argc, argv);
        if (answered >= 0)
            return answered;
        wxApp::SetInstance(new CMorawinApp);
        // The display answered, but the window system opens a connection of
        // its own, which a loaded X server can still refuse. wx would then
        // show its own (English) error in a message box without a display,
        // which GTK ends with SIGTRAP: until the application runs, wx logs
        // nothing, and such an end is the documented one line.
        wxLog::EnableLogging(false);
        const int code = wxEntry(argc, argv);
        if (!CMorawinApp::WindowSystemOpened()) {
            std::fprintf(stderr, "morawin: %s\n", WindowSystemFailure().c_str());
            return kExitUsageOrNoDisplay;
        }
        return code;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morawin: unerwarteter Fehler: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "morawin: unerwarteter Fehler\n");
    }
    return kExitUnexpected;
}
