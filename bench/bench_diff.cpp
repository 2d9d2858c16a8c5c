// Comparing a sequence file of 65,000 lines with a project of 99 groups of
// about 64 KB each (some 247,000 texts; every operand is kept in three or
// four groups, one in ten with an old text, about a thousand texts without
// an operand): what `morawin-cli diff` does, phase by phase.
#include "bench/BenchSupport.h"
#include "convert/ProjectComparison.h"
#include "data/settings/AppSettings.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"
#include "panel/StepChainText.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <ctime>

namespace {

constexpr int kGroups = 99;
constexpr int kListsPerGroup = 39;
constexpr int kTextsPerList = 64;
constexpr int kPerKind = 22016; // operands of each of E, A, M in the project
constexpr int kSequenceLines = 65000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU time of this thread: other programs on a loaded machine do not count.
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Operand {
    int kind;
    int byte;
    int bit;
};

Operand OperandOf(int index)
{
    const int n = index % kPerKind;
    return {1 + index / kPerKind, n / 256, n % 256};
}

std::string ExpectedText(int index)
{
    return "S" + std::to_string(index) + " Kommentar " + std::to_string(index);
}

std::filesystem::path MakeProject(std::uintmax_t& totalBytes, int& texts)
{
    const auto folder = BenchFolder("diff");
    std::ofstream(folder / "SDAT.731", std::ios::binary) << std::string("\x01\0\0\x0C" "Mischanlage", 15);
    CPanelProject project(folder, "");
    project.Load();
    totalBytes = 0;
    texts = 0;
    for (int g = 0; g < kGroups; ++g) {
        auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
        char id[8];
        std::snprintf(id, sizeof id, "S%02d", g + 1);
        group->Rename(std::string("G") + id, "Gruppe " + std::to_string(g));
        for (int l = 0; l < kListsPerGroup; ++l) {
            auto* list = group->AddNew(std::make_unique<CStepChainList>(group.get()));
            std::snprintf(id, sizeof id, "%03d", l + 1);
            const int first = texts % (3 * kPerKind);
            list->SetProperties(id, OperandOf(first).kind, "Liste");
            for (int t = 0; t < kTextsPerList; ++t, ++texts) {
                const int index = texts % (3 * kPerKind);
                const Operand operand = OperandOf(index);
                list->AddNew(std::make_unique<CStepChainText>(
                    list, static_cast<std::uint8_t>(operand.byte), static_cast<std::uint8_t>(operand.bit), 0, 0,
                    index % 10 == 0 ? "alt " + std::to_string(index) : ExpectedText(index)));
            }
            list->OnEntryChanged(nullptr);
        }
        if (!group->Save())
            std::abort();
        totalBytes += static_cast<std::uintmax_t>(group->GetSize());
    }
    return folder;
}

std::uintmax_t WriteSequence(const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < kSequenceLines; ++i) {
        const Operand operand = OperandOf(i);
        out << '\t' << "EAM"[operand.kind - 1] << ' ' << operand.byte << '.' << operand.bit << "\tS" << i
            << "\tKommentar " << i << "\r\n";
    }
    out.close();
    return std::filesystem::file_size(file);
}

void CompareSequenceWithProject(benchmark::State& state)
{
    std::uintmax_t projectBytes = 0;
    int texts = 0;
    const auto folder = MakeProject(projectBytes, texts);
    const auto sequencePath = folder / "anlage.seq";
    const std::uintmax_t sequenceBytes = WriteSequence(sequencePath);
    const CAppSettings settings;

    double read = 0, load = 0, compare = 0, again = 0;
    double readCpu = 0, loadCpu = 0, compareCpu = 0, againCpu = 0;
    CProjectComparison::Counts counts;
    for (auto _ : state) {
        auto start = Clock::now();
        double cpu = CpuSeconds();
        CSequenceFile sequence(sequencePath);
        std::ifstream in(sequencePath, std::ios::binary);
        if (!sequence.ReadArchive(in))
            std::abort();
        std::vector<CSequenceEntry*> operands;
        for (int i = 0; i < sequence.GetCount(); ++i)
            operands.push_back(sequence.GetEntry(i));
        const double readSeconds = Seconds(start);
        readCpu += CpuSeconds() - cpu;

        start = Clock::now();
        cpu = CpuSeconds();
        CPanelProject project(folder, "");
        project.Load();
        CGroupFolder* groups = project.GetGroupFolder();
        for (int i = 0; i < groups->GetCount(); ++i)
            if (!groups->GetGroup(i)->Load())
                std::abort();
        const double loadSeconds = Seconds(start);
        loadCpu += CpuSeconds() - cpu;

        start = Clock::now();
        cpu = CpuSeconds();
        CProjectComparison comparison(settings);
        comparison.Compare(operands, project);
        const double compareSeconds = Seconds(start);
        compareCpu += CpuSeconds() - cpu;

        // The desktop program compares again on the project it has read.
        start = Clock::now();
        cpu = CpuSeconds();
        comparison.Compare(operands, project);
        again += Seconds(start);
        againCpu += CpuSeconds() - cpu;

        counts = comparison.GetCounts();
        state.SetIterationTime(readSeconds + loadSeconds + compareSeconds);
        read += readSeconds;
        load += loadSeconds;
        compare += compareSeconds;
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["groups"] = kGroups;
    state.counters["group_KB"] = static_cast<double>(projectBytes) / kGroups / 1e3;
    state.counters["texts"] = texts;
    state.counters["seq_lines"] = kSequenceLines;
    state.counters["seq_KB"] = static_cast<double>(sequenceBytes) / 1e3;
    state.counters["read_seq_ms"] = read / runs * 1e3;
    state.counters["load_groups_ms"] = load / runs * 1e3;
    state.counters["compare_ms"] = compare / runs * 1e3;
    state.counters["compare_again_ms"] = again / runs * 1e3;
    state.counters["total_cpu_ms"] = (readCpu + loadCpu + compareCpu) / runs * 1e3;
    state.counters["read_seq_cpu_ms"] = readCpu / runs * 1e3;
    state.counters["load_groups_cpu_ms"] = loadCpu / runs * 1e3;
    state.counters["compare_cpu_ms"] = compareCpu / runs * 1e3;
    state.counters["compare_again_cpu_ms"] = againCpu / runs * 1e3;
    state.counters["same"] = static_cast<double>(counts.same);
    state.counters["changed"] = static_cast<double>(counts.changed);
    state.counters["new"] = static_cast<double>(counts.added);
    state.counters["orphan"] = static_cast<double>(counts.orphan);
    state.counters["peak_MB"] = static_cast<double>(PeakResidentBytes()) / 1e6;
    std::filesystem::remove_all(folder);
}

} // namespace

// Time per iteration: reading the sequence file, reading the project and
// comparing, as one run of `morawin-cli diff` does.
BENCHMARK(CompareSequenceWithProject)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
