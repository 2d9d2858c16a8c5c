#include "app/startup/CommandLine.h"
#include "app/startup/DisplayCheck.h"
#include "app/frames/MorawinApp.h"

#include <cstdio>
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
    const CCommandLine line = CCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
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
        return wxEntry(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "morawin: unerwarteter Fehler: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "morawin: unerwarteter Fehler\n");
    }
    return kExitUnexpected;
}
