// Kills a large conversion at random moments: afterwards every group file
// of the project is either its old version, byte for byte, or a complete
// new one that loads.
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "tests/support/PanelFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

std::string Operands(int count, const std::string& prefix)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        const char kind = "EAM"[i % 3];
        const int k = i / 3; // unique byte and bit within each kind
        text += std::string("\t") + kind + " " + std::to_string(k % 256) + "." + std::to_string(k / 256) + "\t"
            + prefix + std::to_string(i) + "\tKommentar " + std::to_string(i) + "\n";
    }
    return text;
}

Files GroupFiles(const std::filesystem::path& folder)
{
    Files files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.size() == 8 && name[0] == 'G')
            files[name] = ReadBytes(entry.path());
    }
    return files;
}

void Restore(const std::filesystem::path& folder, const Files& files)
{
    for (const auto& [name, bytes] : GroupFiles(folder))
        std::filesystem::remove(folder / name);
    for (const auto& [name, bytes] : files)
        WriteBytes(folder / name, bytes);
}

pid_t StartCli(const std::vector<std::string>& args)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(MORAWIN_CLI)};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::freopen("/dev/null", "w", stdout);
        ::freopen("/dev/null", "w", stderr);
        ::execv(MORAWIN_CLI, argv.data());
        ::_exit(127);
    }
    return pid;
}

int RunCli(const std::vector<std::string>& args)
{
    int status = 0;
    ::waitpid(StartCli(args), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every group file is its old version or loads completely.
void ExpectOldOrComplete(const std::filesystem::path& folder, const Files& old)
{
    CPanelProject project(folder.string(), "");
    ASSERT_TRUE(project.IsValid());
    project.Load();
    const Files now = GroupFiles(folder);
    for (const auto& [name, bytes] : old)
        EXPECT_TRUE(now.count(name)) << name << " vanished";
    for (const auto& [name, bytes] : now) {
        const auto previous = old.find(name);
        if (previous != old.end() && previous->second == bytes)
            continue;
        CStepChainGroup group(project.GetGroupFolder(), name);
        ASSERT_TRUE(group.IsValid()) << name;
        EXPECT_TRUE(group.Load()) << name;
        EXPECT_EQ(group.ComputeSize(), bytes.size()) << name;
    }
}

TEST(ConvertCrash, KilledConversionLeavesOldOrCompleteGroupFiles)
{
    TempDir dir;
    const auto project = dir / "projekt";
    std::filesystem::create_directories(project);
    WriteDataFile(project, "Kranbahn");
    WriteText(dir / "morawin.ini", "[Configuration]\r\n");
    WriteText(dir / "alt.seq", Operands(20000, "ALT_"));
    WriteText(dir / "neu.seq", Operands(20000, "NEU_"));
    const std::string settings = (dir / "morawin.ini").string();

    ASSERT_EQ(RunCli({"convert", (dir / "alt.seq").string(), project.string(), "--all", "--settings", settings}), 0);
    const Files old = GroupFiles(project);
    ASSERT_GT(old.size(), 5u);

    // How long a whole run takes, to spread the kills over it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunCli({"convert", (dir / "neu.seq").string(), project.string(), "--all", "--settings", settings}), 0);
    const auto runtime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(20261208);
    int interrupted = 0;
    const std::vector<std::vector<std::string>> modes = {
        {"--all"}, {"--answer", "yes-all"}};
    for (int round = 0; round < 24; ++round) {
        Restore(project, old);
        auto args = std::vector<std::string>{"convert", (dir / "neu.seq").string(), project.string(), "--settings",
                                             settings};
        const auto& mode = modes[static_cast<std::size_t>(round) % modes.size()];
        args.insert(args.end(), mode.begin(), mode.end());
        const pid_t pid = StartCli(args);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (runtime.count() + 1)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ExpectOldOrComplete(project, old);
        std::size_t changed = 0;
        const Files now = GroupFiles(project);
        for (const auto& [name, bytes] : now)
            changed += !old.count(name) || old.at(name) != bytes;
        interrupted += changed > 0 && changed < now.size();
    }
    // The kills did land in the middle of runs, not only before or after.
    EXPECT_GT(interrupted, 3);
}

} // namespace
