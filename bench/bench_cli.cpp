// morawin-cli end to end, process start included, output to /dev/null:
// operands (text and --json) of a 1,000,000-line sequence file and
// show --json of a project of 99 groups of about 64 KB each. Each run's
// wall time is the measured time; the child's peak memory is a counter.
#include "bench/BenchSupport.h"
#include "data/sequence/SequenceEntry.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs morawin-cli with standard output on /dev/null.
Run RunCli(const std::vector<std::string>& args)
{
    std::vector<std::string> all{MORAWIN_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : all)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    Run run;
    if (posix_spawn(&pid, MORAWIN_CLI, &actions, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        ::wait4(pid, &run.status, 0, &usage);
        run.peakKb = usage.ru_maxrss;
        run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void Measure(benchmark::State& state, const std::vector<std::string>& args, double inputBytes)
{
    long peakKb = 0;
    double cpuSeconds = 0;
    for (auto _ : state) {
        const Run run = RunCli(args);
        if (!WIFEXITED(run.status) || WEXITSTATUS(run.status) != 0)
            state.SkipWithError("morawin-cli failed");
        state.SetIterationTime(run.seconds);
        peakKb = std::max(peakKb, run.peakKb);
        cpuSeconds += run.cpuSeconds;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(inputBytes) * state.iterations());
    state.counters["input_MB"] = inputBytes / 1e6;
    // On a machine shared with other work the wall time says more about the
    // others than about this program; the child's own CPU time does not.
    state.counters["child_cpu_ms"] = cpuSeconds / static_cast<double>(state.iterations()) * 1e3;
    state.counters["MB_per_cpu_s"] = inputBytes * static_cast<double>(state.iterations()) / cpuSeconds / 1e6;
    state.counters["peak_RSS_MB"] = static_cast<double>(peakKb) * 1024 / 1e6;
    state.counters["limit_MB"] = (3 * inputBytes + 30e6) / 1e6;
}

const std::filesystem::path& SequenceFile(double& size)
{
    static const auto file = BenchFolder("cli-sequence") / "anlage.seq";
    static const double bytes = static_cast<double>(WriteSequenceFile(file, 1'000'000));
    size = bytes;
    return file;
}

// 99 groups S01..S99, each just under 64 KB: 15 lists of 125 texts.
const std::filesystem::path& Project(double& size)
{
    static double total = 0;
    static const std::filesystem::path folder = [] {
        const auto folder = BenchFolder("cli-project");
        std::ofstream(folder / "SDAT.731", std::ios::binary) << std::string("\x01\0\0\x0C" "Mischanlage", 15);
        CPanelProject project(folder, "");
        project.Load();
        std::mt19937 random(1);
        static const char* const kTexts[] = {"Schutzt\xFCr Mischer geschlossen", "F\xFCllstand Beh\xE4lter 1 max.",
                                             "Ventil Zulauf 1 Endlage AUF", "Schritt 3: Mischen bei @12 \xB0" "C"};
        for (int g = 1; g <= 99; ++g) {
            auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
            char id[4];
            std::snprintf(id, sizeof id, "S%02d", g);
            group->Rename(std::string("G") + id, "Gruppe " + std::to_string(g));
            for (int l = 0; l < 15; ++l) {
                const int kind = 1 + l % 5;
                auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
                char listId[4];
                std::snprintf(listId, sizeof listId, "%03d", l + 1);
                list->SetProperties(listId, kind, "Liste " + std::to_string(l + 1));
                for (int t = 0; t < 125; ++t) {
                    const bool bits = IsBitKind(kind);
                    list->AddNew(std::make_unique<CStepChainText>(
                        list, static_cast<std::uint8_t>(bits ? t / 8 : t), static_cast<std::uint8_t>(bits ? t % 8 : 0),
                        0, 0, std::string(kTexts[random() % 4]) + " " + std::to_string(t)));
                }
                list->OnEntryChanged(nullptr);
            }
            if (!group->Save())
                std::abort();
            total += group->GetSize();
            project.GetGroupFolder()->AddNew(std::move(group));
        }
        return folder;
    }();
    size = total;
    return folder;
}

void OperandsText(benchmark::State& state)
{
    double size = 0;
    const auto& file = SequenceFile(size);
    Measure(state, {"operands", file.string()}, size);
}

void OperandsJson(benchmark::State& state)
{
    double size = 0;
    const auto& file = SequenceFile(size);
    Measure(state, {"operands", file.string(), "--json"}, size);
}

void ShowJson(benchmark::State& state)
{
    double size = 0;
    const auto& folder = Project(size);
    Measure(state, {"show", folder.string(), "--json"}, size);
    state.counters["group_KB"] = size / 99 / 1024;
}

} // namespace

BENCHMARK(OperandsText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OperandsJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ShowJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
