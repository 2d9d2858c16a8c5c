// "Alle übernehmen" of 15k, 30k and 60k operands into an empty project, and
// step-by-step conversion (mode 0, "Ja für Alle") into a project that
// already holds those groups, choosing each existing list in turn: the
// proposals alone would not walk through full groups, since a group that
// holds MaxLists lists counts as full after its first list. The texts are
// short, so that groups end at their 50 lists with bytes to spare: in a group
// full to the byte even a replacement does not fit, as the first entry of a
// batch is charged a block header.
#include "bench/BenchSupport.h"
#include "convert/AnswerCode.h"
#include "convert/Converter.h"
#include "convert/ConverterHost.h"
#include "data/settings/AppSettings.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "panel/GroupFolder.h"
#include "panel/PanelProject.h"
#include "panel/StepChainGroup.h"
#include "panel/StepChainList.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

class SilentHost : public IConverterHost {
public:
    void ShowInfo(const std::string&) override {}
    void ShowError(unsigned, const std::string&) override { ++errors; }
    bool AskOkCancel(const std::string&) override { return true; }
    int AskOverwrite(const std::string&) override { return answer_code::kYesForAll; }
    void OnGroupAdded(const std::string&) override {}
    void OnListAdded(const std::string&) override {}
    void OnListChoices(const std::vector<std::string>&) override {}
    int errors = 0;
};

void WriteProjectDataFile(const std::filesystem::path& folder)
{
    std::ofstream out(folder / "SDAT.731", std::ios::binary);
    const char header[] = {1, 0, 0, 6, 'B', 'e', 'n', 'c', 'h'};
    out.write(header, sizeof header);
}

std::vector<CSequenceEntry*> Entries(const CSequenceFile& file)
{
    std::vector<CSequenceEntry*> entries;
    for (int i = 0; i < file.GetCount(); ++i)
        entries.push_back(file.GetEntry(i));
    return entries;
}

std::unique_ptr<CSequenceFile> ReadOperands(const std::filesystem::path& folder, std::size_t count)
{
    const auto path = folder / "anlage.seq";
    {
        std::ofstream out(path, std::ios::binary);
        for (std::size_t i = 0; i < count; ++i)
            out << "\tM " << i % 256 << "." << i / 256 << "\tM" << i % 10 << "\t\r\n";
    }
    auto file = std::make_unique<CSequenceFile>(path);
    std::ifstream in(path, std::ios::binary);
    file->ReadArchive(in);
    return file;
}

// Every existing list in turn, as a user who picks each group and list.
void AcceptIntoExistingLists(CConverter& converter, const CPanelProject& project)
{
    const CGroupFolder* folder = project.GetGroupFolder();
    for (int g = 0; g < folder->GetCount() && !converter.IsDone(); ++g) {
        CStepChainGroup* group = folder->GetGroup(g);
        for (int l = 0; l < group->GetCount() && !converter.IsDone(); ++l) {
            converter.SetGroupId(group->GetGroupId());
            converter.SelectGroup(true);
            converter.SetListId(group->GetList(l)->GetListId());
            converter.SelectList(true);
            if (converter.Validate())
                converter.Accept();
        }
    }
}

int Convert(const std::filesystem::path& folder, const CSequenceFile& operands, ConversionMode mode)
{
    CAppSettings settings;
    SilentHost host;
    CPanelProject project(folder, "");
    CConverter converter(settings);
    converter.Open(project, Entries(operands), mode, host);
    if (mode == ConversionMode::all)
        converter.AcceptAll();
    else
        AcceptIntoExistingLists(converter, project);
    converter.Close();
    return host.errors + static_cast<int>(converter.GetRemainingCount());
}

void ConvertAllIntoEmptyProject(benchmark::State& state)
{
    const auto folder = BenchFolder("convert-all");
    WriteProjectDataFile(folder);
    const auto operands = ReadOperands(folder, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().filename().string().front() == 'G')
                std::filesystem::remove(entry.path());
        state.ResumeTiming();
        if (Convert(folder, *operands, ConversionMode::all) != 0)
            state.SkipWithError("not everything was converted");
    }
    state.SetItemsProcessed(state.range(0) * state.iterations());
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentBytes()) / 1e6;
    std::filesystem::remove_all(folder);
}

void ConvertStepwiseIntoExistingGroups(benchmark::State& state)
{
    const auto folder = BenchFolder("convert-steps");
    WriteProjectDataFile(folder);
    const auto operands = ReadOperands(folder, static_cast<std::size_t>(state.range(0)));
    Convert(folder, *operands, ConversionMode::all);
    for (auto _ : state) {
        if (Convert(folder, *operands, ConversionMode::selected) != 0)
            state.SkipWithError("not everything was converted");
    }
    state.SetItemsProcessed(state.range(0) * state.iterations());
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentBytes()) / 1e6;
    std::filesystem::remove_all(folder);
}

// One step into a group file as large as the format allows: the step reads
// the whole file, replaces 64 texts of its first list and writes it again.
// This is where checking that no other program changed the file since it
// was read costs most, relative to the work itself. The new texts are two
// characters shorter than the old ones: in a group full to the byte even a
// replacement of the same length does not fit (see above).
void ConvertIntoTheLargestGroupFile(benchmark::State& state)
{
    const auto folder = BenchFolder("convert-largest");
    WriteProjectDataFile(folder);
    const auto writeOperands = [&](const char* name, int count, const char* comment) {
        const auto path = folder / name;
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < count; ++i)
            out << "\tM " << i / 8 << "." << i % 8 << "\tMOTOR_" << i << "\t" << comment << "\r\n";
        out.close();
        auto file = std::make_unique<CSequenceFile>(path);
        std::ifstream in(path, std::ios::binary);
        file->ReadArchive(in);
        return file;
    };
    const auto all = writeOperands("anlage.seq", 2048, "Kommentar zum Merker");
    const auto step = writeOperands("schritt.seq", 64, "Kommentar zum Merk");
    CAppSettings settings;
    settings.MaxGroupSizeKb = 64;
    settings.MaxLists = 255;
    settings.MaxOperands = 255;
    SilentHost host;
    {
        CPanelProject project(folder, "");
        CConverter fill(settings);
        fill.Open(project, Entries(*all), ConversionMode::all, host);
        fill.AcceptAll();
        fill.Close();
    }
    const auto convertStep = [&] {
        CPanelProject project(folder, "");
        CConverter converter(settings);
        converter.Open(project, Entries(*step), ConversionMode::selected, host);
        converter.SetGroupId("S01");
        converter.SelectGroup(true);
        converter.SetListId("001");
        converter.SelectList(true);
        const bool done = converter.Validate() && converter.Accept();
        converter.Close();
        return done;
    };
    convertStep();
    const auto size = std::filesystem::file_size(folder / "GS01.731");
    for (auto _ : state) {
        if (!convertStep())
            state.SkipWithError("the step was not done");
    }
    if (host.errors != 0 || std::filesystem::file_size(folder / "GS01.731") != size)
        state.SkipWithError("the group file changed its size");
    state.counters["file_bytes"] = static_cast<double>(size);
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(ConvertIntoTheLargestGroupFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(ConvertAllIntoEmptyProject)->Arg(15000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertStepwiseIntoExistingGroups)->Arg(15000)->Arg(30000)->Arg(60000)->Unit(benchmark::kMillisecond);
