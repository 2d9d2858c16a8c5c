// The operand view with large sequence files: from opening a file to its
// first rows painted, and moving through a list of a million rows. Needs
// a display: xvfb-run -a ./build/bench/bench_operand_view
#include "app/frames/MorawinApp.h"
#include "app/document/MorawinView.h"
#include "app/document/OperandListCtrl.h"
#include "bench/BenchSupport.h"
#include "data/sequence/SequenceFile.h"

#include <benchmark/benchmark.h>
#include <wx/docview.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdio>

namespace fs = std::filesystem;

namespace {

// Keeps the benchmark's settings and recent files out of the build tree.
class CBenchApp : public CMorawinApp {
protected:
    fs::path ProgramFile() const override { return BenchFolder("view-program") / "morawin"; }
};

CMorawinView* CurrentView()
{
    return dynamic_cast<CMorawinView*>(wxGetApp().GetDocManager()->GetCurrentView());
}

void CloseAll()
{
    wxGetApp().GetDocManager()->CloseDocuments(true);
    // Frames go in idle time.
    wxTheApp->ProcessPendingEvents();
    wxYield();
}

// Runs the event loop until the list's rows have been painted, as they
// are once the program is idle again. The generic list control lays its
// rows out in idle time and paints nothing before that.
void WaitUntilPainted(COperandListCtrl* list)
{
    bool painted = false;
    // The generic list control draws its rows in a child window of its own.
    wxWindow* rows = list;
    for (wxWindow* child : list->GetChildren())
        if (wxString(child->GetClassInfo()->GetClassName()) == wxString(L"wxListMainWindow"))
            rows = child;
    const auto onPaint = [&](wxPaintEvent& event) {
        painted = true;
        event.Skip();
    };
    rows->Bind(wxEVT_PAINT, onPaint);
    rows->Refresh();
    while (!painted)
        wxYield();
    rows->Unbind(wxEVT_PAINT, onPaint);
}

// Lines for about `operands` operands: the generator skips one line in ten.
std::size_t LinesFor(std::size_t operands)
{
    return operands * 10 / 9 + 1;
}

// The same operands as a sequence file (form 0) or as a CSV table (1).
void OpenToFirstRowsPainted(benchmark::State& state)
{
    const auto sequence = BenchFolder("view") / "anlage.seq";
    WriteSequenceFile(sequence, LinesFor(static_cast<std::size_t>(state.range(0))));
    const auto table = sequence.parent_path() / "anlage.csv";
    if (state.range(1) == 1)
        WriteCsvOfSequenceFile(sequence, table);
    const auto& file = state.range(1) == 1 ? table : sequence;
    long rows = 0;
    wxString firstRow;
    for (auto _ : state) {
        if (!wxGetApp().OpenSequenceFile(file)) {
            state.SkipWithError("open failed");
            break;
        }
        COperandListCtrl* list = CurrentView()->GetList();
        WaitUntilPainted(list);
        rows = list->GetItemCount();
        firstRow = list->GetItemText(0, 0);
        state.PauseTiming();
        CloseAll();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentBytes()) / 1e6;
    state.SetLabel(firstRow.utf8_string());
    fs::remove_all(file.parent_path());
}

// With a million rows open: jumping to the end and painting there, and
// selecting every row (Ctrl+A) and collecting the selection as the
// conversion command does.
void MillionRows(benchmark::State& state)
{
    const auto file = BenchFolder("million") / "anlage.seq";
    WriteSequenceFile(file, LinesFor(1'000'000));
    wxGetApp().OpenSequenceFile(file);
    COperandListCtrl* list = CurrentView()->GetList();
    WaitUntilPainted(list);
    const long last = list->GetItemCount() - 1;
    std::size_t selected = 0;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            list->EnsureVisible(last);
            WaitUntilPainted(list);
            list->EnsureVisible(0);
            WaitUntilPainted(list);
        } else {
            list->SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            selected = list->GetSelectedEntries().size();
            state.PauseTiming();
            list->SetRows(list->GetRows());
            state.ResumeTiming();
        }
    }
    state.counters["rows"] = static_cast<double>(last + 1);
    if (state.range(0) == 1)
        state.counters["selected"] = static_cast<double>(selected);
    CloseAll();
    fs::remove_all(file.parent_path());
}

} // namespace

BENCHMARK(OpenToFirstRowsPainted)
    ->ArgNames({"operands", "csv"})
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(MillionRows)->ArgName("select")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInstance(new CBenchApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "bench_operand_view: no display (run it with xvfb-run -a)\n");
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr);
    if (!wxTheApp->CallOnInit())
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    CloseAll();
    wxTheApp->GetTopWindow()->Destroy();
    wxTheApp->ProcessIdle();
    wxTheApp->OnExit();
    wxEntryCleanup();
    benchmark::Shutdown();
    return 0;
}
