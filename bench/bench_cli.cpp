// morawin-cli end to end, process start included, output to /dev/null:
// operands (text and --json) of a 1,000,000-line sequence file, of a CSV
// table with the same operands and of a 100,000-row workbook, and
// show --json of a project of 99 groups of about 64 KB each. Each run's
// wall time is the measured time; the child's peak memory is a counter.
#include "bench/BenchProject.h"
#include "bench/BenchSupport.h"

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
#include <zip.h>

namespace {

Run RunCli(const std::vector<std::string>& args)
{
    return RunProgram(MORAWIN_CLI, args);
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

// The operands of the sequence file as a German spreadsheet program
// exports them: a header, ";" between the fields, CR LF.
const std::filesystem::path& CsvFile(double& size)
{
    static double bytes = 0;
    static const std::filesystem::path file = [] {
        double sequenceSize = 0;
        const auto path = BenchFolder("cli-table") / "Symbole.csv";
        WriteCsvOfSequenceFile(SequenceFile(sequenceSize), path);
        return path;
    }();
    bytes = static_cast<double>(std::filesystem::file_size(file));
    size = bytes;
    return file;
}

// A workbook of 100,000 rows (address, symbol, comment as inline
// strings), as spreadsheet programs store one. The sheet is written to a
// file piece by piece: a child's peak memory counts this process's peak
// until the child starts its own program.
const std::filesystem::path& Workbook(double& size)
{
    static const std::filesystem::path file = [] {
        const auto folder = BenchFolder("cli-workbook");
        const auto sheetFile = folder / "sheet1.xml";
        {
            std::ofstream sheet(sheetFile, std::ios::binary);
            const auto cell = [&](char column, int row, const std::string& text) {
                sheet << "<c r=\"" << column << row << "\" t=\"inlineStr\"><is><t>" << text << "</t></is></c>";
            };
            sheet << "<worksheet><sheetData>";
            for (int row = 1; row <= 100'000; ++row) {
                sheet << "<row r=\"" << row << "\">";
                cell('A', row, row == 1 ? "Adresse" : "M " + std::to_string(row / 8 % 256) + "." + std::to_string(row % 8));
                cell('B', row, row == 1 ? "Symbol" : "M_SK_SCHRITT" + std::to_string(row));
                cell('C', row, row == 1 ? "Kommentar" : "Schritt " + std::to_string(row) + ": Beh\xC3\xA4lter f\xC3\xBCllen");
                sheet << "</row>";
            }
            sheet << "</sheetData></worksheet>";
        }
        const std::string relations = R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/></Relationships>)";
        const std::string workbook = R"(<workbook><sheets><sheet name="Symbole" r:id="rId1" xmlns:r="r"/></sheets></workbook>)";
        const auto path = folder / "Symbole.xlsx";
        int error = 0;
        zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        zip_file_add(archive, "xl/worksheets/sheet1.xml", zip_source_file(archive, sheetFile.c_str(), 0, 0), 0);
        for (const auto& [name, content] : {std::pair{"xl/_rels/workbook.xml.rels", &relations},
                                            std::pair{"xl/workbook.xml", &workbook}})
            zip_file_add(archive, name, zip_source_buffer(archive, content->data(), content->size(), 0), 0);
        if (zip_close(archive) != 0)
            std::abort();
        std::filesystem::remove(sheetFile);
        return path;
    }();
    size = static_cast<double>(std::filesystem::file_size(file));
    return file;
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

void OperandsCsv(benchmark::State& state)
{
    double size = 0;
    const auto& file = CsvFile(size);
    Measure(state, {"operands", file.string()}, size);
}

void OperandsWorkbook(benchmark::State& state)
{
    double size = 0;
    const auto& file = Workbook(size);
    Measure(state, {"operands", file.string()}, size);
}

void ShowJson(benchmark::State& state)
{
    double size = 0;
    const auto& folder = NinetyNineGroupProject(size);
    Measure(state, {"show", folder.string(), "--json"}, size);
    state.counters["group_KB"] = size / 99 / 1024;
}

} // namespace

BENCHMARK(OperandsText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OperandsJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OperandsCsv)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(OperandsWorkbook)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(ShowJson)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
