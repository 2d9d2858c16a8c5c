// Loading and saving 1,000 group files of about 24 KB each, against copying
// the same bytes: plainly (read, write) and durably (read, write a
// temporary file, flush it to the disk, rename it over the old one, which is
// what every save of a group does).
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
#include <unistd.h>

namespace {

constexpr int kGroups = 1000;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// About 24 KB: 12 lists of 60 texts of about 30 characters.
void FillGroup(CStepChainGroup* group, std::mt19937& random)
{
    static const char* const kTexts[] = {"Schutzt\xFCr Mischer geschlossen", "F\xFCllstand Beh\xE4lter 1 max.",
                                         "Ventil Zulauf 1 Endlage AUF", "R\xFC" "ckmeldung Sch\xFCtz F\xF6rderband",
                                         "Schritt 3: Mischen bei @12 \xB0" "C", "\xDC" "berwachungszeit F\xFCllen"};
    for (int l = 0; l < 12; ++l) {
        const int kind = 1 + l % 5;
        auto* list = group->AddNew(std::make_unique<CStepChainList>(group));
        char id[4];
        std::snprintf(id, sizeof id, "%03d", l + 1);
        list->SetProperties(id, kind, "Liste " + std::to_string(l + 1));
        for (int t = 0; t < 60; ++t) {
            const bool bits = IsBitKind(kind);
            list->AddNew(std::make_unique<CStepChainText>(
                list, static_cast<std::uint8_t>(bits ? t / 8 : t), static_cast<std::uint8_t>(bits ? t % 8 : 0), 0, 0,
                std::string(kTexts[random() % 6]) + " " + std::to_string(t)));
        }
        list->OnEntryChanged(nullptr);
    }
}

std::filesystem::path MakeProject(std::uintmax_t& totalBytes)
{
    const auto folder = BenchFolder("panel");
    std::ofstream(folder / "SDAT.731", std::ios::binary) << std::string("\x01\0\0\x0C" "Mischanlage", 15);
    CPanelProject project(folder, "");
    project.Load();
    std::mt19937 random(1);
    totalBytes = 0;
    for (int g = 0; g < kGroups; ++g) {
        auto group = std::make_unique<CStepChainGroup>(project.GetGroupFolder());
        char id[4];
        std::snprintf(id, sizeof id, "%03d", g);
        group->Rename(std::string("G") + id, "Gruppe " + std::to_string(g));
        FillGroup(group.get(), random);
        if (!group->Save())
            std::abort();
        totalBytes += static_cast<std::uintmax_t>(group->GetSize());
    }
    return folder;
}

std::vector<char> ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes(std::filesystem::file_size(file));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void CopyPlainly(const std::vector<std::filesystem::path>& files, const std::filesystem::path& target)
{
    for (const auto& file : files) {
        const auto bytes = ReadFile(file);
        std::ofstream(target / file.filename(), std::ios::binary | std::ios::trunc)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
}

void CopyDurably(const std::vector<std::filesystem::path>& files, const std::filesystem::path& target)
{
    for (const auto& file : files) {
        const auto bytes = ReadFile(file);
        const auto temp = target / (file.filename().string() + ".tmp");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) || ::fsync(fd) != 0)
            std::abort();
        ::close(fd);
        std::filesystem::rename(temp, target / file.filename());
        const int folder = ::open(target.c_str(), O_RDONLY | O_DIRECTORY);
        ::fsync(folder);
        ::close(folder);
    }
}

void LoadAndSaveAll(const std::filesystem::path& folder)
{
    CPanelProject project(folder, "");
    project.Load();
    CGroupFolder* groups = project.GetGroupFolder();
    if (groups->GetCount() != kGroups)
        std::abort();
    for (int i = 0; i < groups->GetCount(); ++i) {
        CStepChainGroup* group = groups->GetGroup(i);
        if (!group->Load() || !group->Save())
            std::abort();
        group->RemoveAll();
    }
}

void LoadAndSaveGroups(benchmark::State& state)
{
    std::uintmax_t totalBytes = 0;
    const auto folder = MakeProject(totalBytes);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("G"))
            files.push_back(entry.path());
    const auto plainTarget = folder / "plain";
    const auto durableTarget = folder / "durable";
    std::filesystem::create_directory(plainTarget);
    std::filesystem::create_directory(durableTarget);

    double store = 0, plain = 0, durable = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        LoadAndSaveAll(folder);
        const double storeSeconds = Seconds(start);
        state.SetIterationTime(storeSeconds);
        store += storeSeconds;
        start = Clock::now();
        CopyPlainly(files, plainTarget);
        plain += Seconds(start);
        start = Clock::now();
        CopyDurably(files, durableTarget);
        durable += Seconds(start);
    }
    const double runs = static_cast<double>(state.iterations());
    const double megabytes = static_cast<double>(totalBytes) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(totalBytes) * state.iterations());
    state.counters["groups"] = kGroups;
    state.counters["group_KB"] = static_cast<double>(totalBytes) / kGroups / 1e3;
    state.counters["store_us_per_group"] = store / runs / kGroups * 1e6;
    state.counters["store_MB_s"] = megabytes * runs / store;
    state.counters["plain_copy_MB_s"] = megabytes * runs / plain;
    state.counters["durable_copy_MB_s"] = megabytes * runs / durable;
    state.counters["x_plain_copy"] = store / plain;
    state.counters["x_durable_copy"] = store / durable;
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(LoadAndSaveGroups)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
