#pragma once

// Running morawin-cli to be killed at a random moment (POSIX processes).
#include <sys/resource.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Sequence-file lines of `count` operands E, A and M in turn, each with a
// byte and bit of its own, symbols `prefix` and a number.
std::string CrashOperands(int count, const std::string& prefix);
// The group files of a project folder with their bytes.
Files GroupFiles(const std::filesystem::path& folder);
// The folder's group files become exactly `files`.
void Restore(const std::filesystem::path& folder, const Files& files);
// Starts morawin-cli with standard output on /dev/null. `fileSizeLimit`
// > 0: no file may grow beyond it, as on a full disk (writes fail with
// EFBIG). Standard error goes to `errFile`.
pid_t StartCli(const std::vector<std::string>& args, rlim_t fileSizeLimit = 0, const std::string& errFile = "/dev/null");
// Runs it to its end: the exit code, -1 when a signal ended it.
int RunCliToEnd(const std::vector<std::string>& args);
