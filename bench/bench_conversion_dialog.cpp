// "Alle übernehmen" in the conversion dialog against `morawin-cli convert
// --all`, on the same sequence file of 100,000 lines and a fresh copy of
// the example project each time. The dialog is timed from its opening (the
// project is loaded and the first target proposed) to its end (the groups
// saved); the command line as a whole process. On a busy machine compare
// CPU times too: the dialog's CPU column, the tool's cli_cpu_ms (the X
// server's share of the dialog's work counts in neither). Needs a display:
//   xvfb-run -a ./build/bench/bench_conversion_dialog
#include "bench/BenchSupport.h"
#include "convert/dialogs/ConversionDlg.h"
#include "data/settings/AppSettings.h"
#include "data/sequence/SequenceEntry.h"
#include "data/sequence/SequenceFile.h"
#include "panel/PanelProject.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLines = 100'000;

// Answers the message boxes (the final "all converted") with OK.
class CAnswerBoxes : public wxModalDialogHook {
public:
    CAnswerBoxes() { Register(); }
    ~CAnswerBoxes() override { Unregister(); }
    int Enter(wxDialog* dialog) override { return dynamic_cast<wxMessageDialog*>(dialog) ? wxID_OK : wxID_NONE; }
    void Exit(wxDialog*) override {}
};

struct Files {
    fs::path folder;
    fs::path sequence;
    fs::path settings;
};

const Files& Prepared()
{
    static const Files files = [] {
        Files made;
        made.folder = BenchFolder("conversion-dialog");
        made.sequence = made.folder / "anlage.seq";
        WriteSequenceFile(made.sequence, kLines);
        // Both hosts convert with the same (default) limits.
        made.settings = made.folder / "morawin.ini";
        std::ofstream(made.settings) << "";
        return made;
    }();
    return files;
}

double ChildCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

fs::path FreshProject()
{
    const fs::path project = Prepared().folder / "projekt";
    fs::remove_all(project);
    fs::copy(MORAWIN_EXAMPLE_PROJECT, project, fs::copy_options::recursive);
    return project;
}

void DialogAcceptAll(benchmark::State& state)
{
    CSequenceFile file(Prepared().sequence);
    std::ifstream in(Prepared().sequence, std::ios::binary);
    file.ReadArchive(in);
    std::vector<CSequenceEntry*> operands;
    for (int i = 0; i < file.GetCount(); ++i)
        operands.push_back(file.GetEntry(i));
    CAnswerBoxes answers;
    CAppSettings settings;
    std::size_t left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = FreshProject();
        CPanelProject project(folder, std::string());
        state.ResumeTiming();
        CConversionDlg dialog(nullptr, ConversionMode::all, project, operands, settings);
        dialog.CallAfter([&dialog] {
            wxCommandEvent click(wxEVT_BUTTON, CConversionDlg::kAcceptAllId);
            click.SetEventObject(dialog.FindWindow(CConversionDlg::kAcceptAllId));
            dialog.FindWindow(CConversionDlg::kAcceptAllId)->HandleWindowEvent(click);
        });
        dialog.ShowModal();
        left = dialog.GetConverter().GetRemainingCount();
    }
    state.counters["operands"] = static_cast<double>(operands.size());
    state.counters["left"] = static_cast<double>(left);
}

void CommandLineConvertAll(benchmark::State& state)
{
    const std::string command = std::string("'") + MORAWIN_CLI + "' convert '" + Prepared().sequence.string() + "' '" +
                                (Prepared().folder / "projekt").string() + "' --all --settings '" +
                                Prepared().settings.string() + "' >/dev/null 2>&1";
    int status = 0;
    double childCpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FreshProject();
        const double before = ChildCpuSeconds();
        state.ResumeTiming();
        status = std::system(command.c_str());
        state.PauseTiming();
        childCpu += ChildCpuSeconds() - before;
        state.ResumeTiming();
    }
    // The CPU column counts this process only; the tool's own time, for
    // comparing on a busy machine.
    state.counters["cli_cpu_ms"] =
        benchmark::Counter(childCpu * 1000, benchmark::Counter::kAvgIterations);
    if (status != 0)
        state.SkipWithError("morawin-cli convert failed");
}

} // namespace

BENCHMARK(DialogAcceptAll)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(CommandLineConvertAll)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "bench_conversion_dialog: no display (run it with xvfb-run -a)\n");
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxTheApp->CallOnInit();
    benchmark::RunSpecifiedBenchmarks();
    fs::remove_all(Prepared().folder);
    wxTheApp->OnExit();
    wxEntryCleanup();
    benchmark::Shutdown();
    return 0;
}
