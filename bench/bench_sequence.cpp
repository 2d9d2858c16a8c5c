// Reading and sorting a 1,000,000-line sequence file.
#include "bench/BenchSupport.h"
#include "data/sequence/SequenceFile.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>

namespace {

void ReadAndSortSequenceFile(benchmark::State& state)
{
    const std::size_t lines = static_cast<std::size_t>(state.range(0));
    const auto file = BenchFolder("sequence") / "anlage.seq";
    const auto size = WriteSequenceFile(file, lines);
    const auto baseline = PeakResidentBytes();
    std::int64_t entries = 0;
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        auto sequence = std::make_unique<CSequenceFile>(file);
        if (!sequence->ReadArchive(in))
            state.SkipWithError("read failed");
        entries = sequence->GetCount();
        benchmark::DoNotOptimize(sequence->GetEntry(0));
        // Reading and sorting is what is measured, not freeing the list.
        state.PauseTiming();
        sequence.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(size) * state.iterations());
    state.SetItemsProcessed(static_cast<std::int64_t>(lines) * state.iterations());
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentBytes()) / 1e6;
    state.counters["rss_growth_MB"] = static_cast<double>(PeakResidentBytes() - baseline) / 1e6;
    state.counters["limit_MB"] = (3.0 * static_cast<double>(size) + 30e6) / 1e6;
    std::filesystem::remove_all(file.parent_path());
}

} // namespace

BENCHMARK(ReadAndSortSequenceFile)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(5);
