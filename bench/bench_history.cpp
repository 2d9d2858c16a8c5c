// What keeping the history costs: morawin-cli convert --all of 4,080
// operands into a copy of the 99-group benchmark project (98 of its groups
// replaced: 3 KB per group), with the history off (Keep=0) and on, and
// the undo of that conversion. Each run's wall time is the measured time;
// the child's CPU time and the history's disk use per operation are
// counters. The copy of the project is made outside the measured time.
#include "bench/BenchProject.h"
#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Setup {
    std::filesystem::path work = BenchFolder("history");
    std::filesystem::path project = work / "projekt";
    std::filesystem::path state = work / "state";
    std::filesystem::path sequence = work / "anlage.seq";
    std::filesystem::path settings = work / "morawin.ini";
};

// 1,360 inputs, outputs and markers each: at 3 KB per group they fill all
// but one of the 99 groups.
void WriteOperands(const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary);
    for (const char kind : {'E', 'A', 'M'})
        for (int i = 0; i < 1360; ++i)
            out << '\t' << kind << ' ' << i / 8 << '.' << i % 8 << "\tSYMBOL_" << kind << i
                << "\tKommentar zu Operand " << i << " mit einem etwas l\xC3\xA4ngeren Text\r\n";
}

const Setup& Prepared()
{
    static const Setup setup = [] {
        Setup s;
        WriteOperands(s.sequence);
        return s;
    }();
    return setup;
}

// A fresh copy of the benchmark project and an empty history.
void Reset(const Setup& s, int keep)
{
    double size = 0;
    std::filesystem::remove_all(s.project);
    std::filesystem::remove_all(s.state);
    std::filesystem::copy(NinetyNineGroupProject(size), s.project);
    std::ofstream(s.settings, std::ios::binary) << "[Configuration]\r\nMaxGroupSizeKb=3\r\n[History]\r\nKeep=" << keep
                                                << "\r\n";
    ::setenv("XDG_STATE_HOME", s.state.c_str(), 1);
    // The copy and what the last run left are on the disk before the next
    // run starts: no run pays for another's writes.
    ::sync();
}

Run Convert(const Setup& s)
{
    return RunProgram(MORAWIN_CLI, {"convert", s.sequence.string(), s.project.string(), "--all", "--settings",
                                    s.settings.string()});
}

std::uintmax_t FolderSize(const std::filesystem::path& folder)
{
    std::uintmax_t total = 0;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file())
            total += it->file_size();
    return total;
}

bool Succeeded(const Run& run)
{
    return WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0;
}

void Report(benchmark::State& state, double cpuSeconds)
{
    state.counters["child_cpu_ms"] = cpuSeconds / static_cast<double>(state.iterations()) * 1e3;
}

void ConvertAll(benchmark::State& state, int keep)
{
    const Setup& s = Prepared();
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(s, keep);
        state.ResumeTiming();
        const Run run = Convert(s);
        if (!Succeeded(run)) {
            state.SkipWithError("morawin-cli convert failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        cpu += run.cpuSeconds;
    }
    Report(state, cpu);
    // One operation of 99 replaced groups: what the history keeps for it.
    state.counters["history_KB_per_operation"] = static_cast<double>(FolderSize(s.state)) / 1024;
}

void ConvertAllWithoutHistory(benchmark::State& state)
{
    ConvertAll(state, 0);
}

void ConvertAllWithHistory(benchmark::State& state)
{
    ConvertAll(state, 100);
}

void UndoConvertAll(benchmark::State& state)
{
    const Setup& s = Prepared();
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(s, 100);
        if (!Succeeded(Convert(s))) {
            state.SkipWithError("morawin-cli convert failed");
            break;
        }
        state.ResumeTiming();
        const Run run = RunProgram(MORAWIN_CLI, {"undo", s.project.string(), "--settings", s.settings.string()});
        if (!Succeeded(run)) {
            state.SkipWithError("morawin-cli undo failed");
            break;
        }
        state.SetIterationTime(run.seconds);
        cpu += run.cpuSeconds;
    }
    Report(state, cpu);
    // The undo keeps what the conversion wrote, for a redo.
    state.counters["history_KB_after_undo"] = static_cast<double>(FolderSize(s.state)) / 1024;
}

// The same conversion without and with the history, one after the other
// on fresh copies: on a machine whose speed drifts the pairs still
// compare like with like. The measured time is that with the history; the
// counters are the medians of what it adds in each pair, to the wall time
// and to the processor time.
void HistoryAddsToConvertAll(benchmark::State& state)
{
    const Setup& s = Prepared();
    std::vector<double> added;
    std::vector<double> cpuAdded;
    for (auto _ : state) {
        state.PauseTiming();
        Reset(s, 0);
        const Run off = Convert(s);
        Reset(s, 100);
        state.ResumeTiming();
        const Run on = Convert(s);

        if (!Succeeded(off) || !Succeeded(on)) {
            state.SkipWithError("morawin-cli convert failed");
            break;
        }
        state.SetIterationTime(on.seconds);
        added.push_back((on.seconds / off.seconds - 1) * 100);
        cpuAdded.push_back((on.cpuSeconds / off.cpuSeconds - 1) * 100);
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    };
    state.counters["added_percent"] = median(added);
    // The processor time alone, without waiting for the disk.
    state.counters["cpu_added_percent"] = median(cpuAdded);
}

} // namespace

BENCHMARK(HistoryAddsToConvertAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(25);
BENCHMARK(ConvertAllWithoutHistory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ConvertAllWithHistory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(UndoConvertAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
