#pragma once

#include <string>
#include <vector>

// Runs morawin-cli with arguments and collects what it printed.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& stdinText = {});
std::string ExamplePath(const std::string& name);
// An argument quoted for a POSIX shell (the POSIX runner's own quoting).
std::string ShellQuote(const std::string& arg);
