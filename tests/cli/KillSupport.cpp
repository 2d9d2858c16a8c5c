#include "tests/cli/KillSupport.h"

#include "tests/support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

std::string CrashOperands(int count, const std::string& prefix)
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

pid_t StartCli(const std::vector<std::string>& args, rlim_t fileSizeLimit, const std::string& errFile)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>(MORAWIN_CLI)};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        // A child whose output cannot be redirected does not run the tool.
        if (!::freopen("/dev/null", "w", stdout) || !::freopen(errFile.c_str(), "w", stderr))
            ::_exit(126);
        if (fileSizeLimit > 0) {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::execv(MORAWIN_CLI, argv.data());
        ::_exit(127);
    }
    return pid;
}

int RunCliToEnd(const std::vector<std::string>& args)
{
    int status = 0;
    ::waitpid(StartCli(args), &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
