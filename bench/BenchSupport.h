#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Peak resident memory of this process so far, in bytes.
std::int64_t PeakResidentBytes();

// Writes a sequence file of `lines` lines (mixed kinds, German symbols and
// comments, about 10% lines the reader skips) and returns its size in bytes.
std::uintmax_t WriteSequenceFile(const std::filesystem::path& file, std::size_t lines, unsigned seed = 1);

// A fresh folder under /tmp for a benchmark run.
std::filesystem::path BenchFolder(const std::string& name);
