#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Peak resident memory of this process so far, in bytes.
std::int64_t PeakResidentBytes();

// Writes a sequence file of `lines` lines (mixed kinds, German symbols and
// comments, about 10% lines the reader skips) and returns its size in bytes.
std::uintmax_t WriteSequenceFile(const std::filesystem::path& file, std::size_t lines, unsigned seed = 1);

// A fresh folder under /tmp for a benchmark run.
std::filesystem::path BenchFolder(const std::string& name);
// The operands of a sequence file as a German spreadsheet program exports
// them: a header, ";" between the fields, CR LF.
void WriteCsvOfSequenceFile(const std::filesystem::path& sequence, const std::filesystem::path& csv);

// One run of a program: its wall time, its own CPU time, its peak memory
// and its wait status.
struct Run {
    double seconds = 0;
    double cpuSeconds = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs `program` with `args` and standard output on /dev/null.
Run RunProgram(const std::string& program, const std::vector<std::string>& args);
