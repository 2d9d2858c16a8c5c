#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The desktop program's command line:
//
//     morawin [PROJECT] [--open FILE.seq]... [--settings FILE.ini]
//
// The first plain argument names a panel project folder, which is opened
// when it holds a valid project; anything else there opens nothing and is
// not reported. Sequence files are opened only through --open, so that a
// file name in the project's place never turns into a document.
class CCommandLine {
public:
    // `args` without the program name.
    static CCommandLine Parse(const std::vector<std::string>& args);
    static std::string Usage();
    // "morawin <version>", the copyright and the licence, one per line.
    static std::string VersionText();

    std::filesystem::path ProjectArgument;
    std::vector<std::filesystem::path> FilesToOpen;
    // Another settings file than the one beside the programs; empty: that one.
    std::filesystem::path SettingsFile;
    bool ShowHelp = false;
    bool ShowVersion = false;
    // A usage error, in German; empty when the line was fine.
    std::string Error;
};
