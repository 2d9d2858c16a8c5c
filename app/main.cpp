#include "app/CommandLine.h"
#include "app/MorawinApp.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// --help and --version need no display, so they are answered before GTK
// starts (which would end the program without one).
bool AnswerWithoutWindow(int argc, char** argv)
{
    const CCommandLine line = CCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (line.ShowHelp)
        std::fputs(CCommandLine::Usage().c_str(), stdout);
    else if (line.ShowVersion)
        std::fputs(CCommandLine::VersionText().c_str(), stdout);
    return line.ShowHelp || line.ShowVersion;
}

} // namespace

int main(int argc, char** argv)
{
    if (AnswerWithoutWindow(argc, argv))
        return 0;
    wxApp::SetInstance(new CMorawinApp);
    return wxEntry(argc, argv);
}
