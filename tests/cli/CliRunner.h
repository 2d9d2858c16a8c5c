#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Runs morawin-cli with arguments and collects what it printed.
struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& args, const std::string& stdinText = {});
// The same with standard input read from a file.
CliResult RunCliWithInput(const std::vector<std::string>& args, const std::filesystem::path& input);
// The same with standard input from the system's null device, as `< NUL`
// (or `< /dev/null`) gives it: a character device, but no terminal.
CliResult RunCliFromNullDevice(const std::vector<std::string>& args);
std::string ExamplePath(const std::string& name);
// An argument quoted for a POSIX shell (the POSIX runner's own quoting).
std::string ShellQuote(const std::string& arg);
